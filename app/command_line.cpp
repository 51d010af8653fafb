#include "app/command_line.h"

#include <cctype>

bool CCommandLine::IsOption(const char* text) {
    return text != nullptr && text[0] == '-' && text[1] != '\0' &&
           !std::isdigit(static_cast<unsigned char>(text[1]));
}

int CCommandLine::Parse(int argc, const char* const* argv) {
    options_.clear();
    std::string current;
    for (int i = 1; i < argc; ++i) {
        if (IsOption(argv[i])) {
            current = argv[i];
            std::string value;
            if (i + 1 < argc && !IsOption(argv[i + 1])) value = argv[++i] ? argv[i] : "";
            options_.emplace(current, std::vector<std::string>{value});
        } else if (auto found = options_.find(current); found != options_.end() && argv[i]) {
            found->second.push_back(argv[i]);
        }
    }
    return static_cast<int>(options_.size());
}

const std::vector<std::string>* CCommandLine::Values(const std::string& option) const {
    const auto found = options_.find(option);
    return found == options_.end() ? nullptr : &found->second;
}
