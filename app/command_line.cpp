#include "app/command_line.h"

#include <cctype>

bool CommandLine::IsOption(const char* text) {
    return text != nullptr && text[0] == '-' && text[1] != '\0' &&
           !std::isdigit(static_cast<unsigned char>(text[1]));
}

int CommandLine::Parse(int argc, const char* const* argv) {
    m_options.clear();
    std::string current;
    for (int i = 1; i < argc; ++i) {
        if (IsOption(argv[i])) {
            current = argv[i];
            std::string value;
            if (i + 1 < argc && !IsOption(argv[i + 1])) value = argv[++i] ? argv[i] : "";
            m_options.emplace(current, std::vector<std::string>{value});
        } else if (auto found = m_options.find(current); found != m_options.end() && argv[i]) {
            found->second.push_back(argv[i]);
        }
    }
    return static_cast<int>(m_options.size());
}

const std::vector<std::string>* CommandLine::Values(const std::string& option) const {
    const auto found = m_options.find(option);
    return found == m_options.end() ? nullptr : &found->second;
}
