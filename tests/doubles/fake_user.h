#pragma once

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
        platform::MessageIcon icon;
    };
    void ShowMessage(platform::Window owner, const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override {
        boxes.push_back(Box{owner, text, caption, icon});
    }
    void WarningBeep() override { ++beeps; }

    std::vector<Box> boxes;
    int beeps = 0;
};
