#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/user.h"

// Message boxes and beeps kept instead of shown, so a test reads them without a modal loop.
class FakeUser : public platform::IUser {
  public:
    struct Box {
        platform::Window owner;
        std::string text;
        std::string caption;
        std::uint32_t type;
    };
    int MessageBoxA(platform::Window owner, const char* text, const char* caption,
                    std::uint32_t type) override;
    bool MessageBeep(std::uint32_t type) override {
        beeps.push_back(type);
        return true;
    }
    std::vector<Box> boxes;
    std::vector<std::uint32_t> beeps;
};
