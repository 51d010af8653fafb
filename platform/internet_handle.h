#pragma once

#include "platform/internet.h"

namespace platform {

// Owns one internet handle (root or request) and closes it once.
class InternetHandle {
  public:
    explicit InternetHandle(HInternet handle) : handle_(handle) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (handle_ != 0) Internet().InternetCloseHandle(handle_);
    }

    HInternet get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }

  private:
    HInternet handle_;
};

}  // namespace platform
