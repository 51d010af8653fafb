#pragma once

#include "platform/internet.h"

namespace platform {

// Owns one internet handle (root or request) and closes it once.
class InternetHandle {
  public:
    explicit InternetHandle(HInternet handle) : m_handle(handle) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (m_handle != 0) Internet().InternetCloseHandle(m_handle);
    }

    HInternet get() const { return m_handle; }
    explicit operator bool() const { return m_handle != 0; }

  private:
    HInternet m_handle;
};

}  // namespace platform
