#pragma once

#include <map>
#include <string>
#include <vector>

// Options ("-x") with the plain values that follow them, as the C runtime split the command line.
class CommandLine {
  public:
    // A text of two or more characters that starts with "-" and not with "-<digit>".
    static bool IsOption(const char* text);

    // Returns the number of distinct options; the first occurrence of an option wins.
    int Parse(int argc, const char* const* argv);

    bool HasOption(const std::string& option) const { return m_options.count(option) != 0; }

    const std::vector<std::string>* Values(const std::string& option) const;

  private:
    std::map<std::string, std::vector<std::string>> m_options;
};
