// The command line: any arguments give a consistent option map, and the start-up mode follows
// the three options whatever else stands around them.
#include <cctype>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/start_options.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/script.h"

namespace {

// An option as users write it: "-" and at least one more character, not a digit.
bool LooksLikeOption(const std::string& text) {
    return text.size() >= 2 && text[0] == '-' && !std::isdigit(static_cast<unsigned char>(text[1]));
}

void CheckMap(const std::vector<std::string>& args, const std::vector<const char*>& argv) {
    CommandLine commandLine;
    const int count = commandLine.Parse(static_cast<int>(args.size()), argv.data());
    std::set<std::string> options;
    for (std::size_t i = 1; i < args.size(); ++i)
        if (LooksLikeOption(args[i])) options.insert(args[i]);
    Require(count == static_cast<int>(options.size()), "Parse counts the distinct options");

    std::size_t values = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::vector<std::string>* list = commandLine.Values(args[i]);
        Require(commandLine.HasOption(args[i]) == LooksLikeOption(args[i]) &&
                    (list != nullptr) == LooksLikeOption(args[i]),
                "an argument is in the map exactly when it is an option", Shown(args[i]));
        if (!list || options.erase(args[i]) == 0) continue;  // checked at its first occurrence
        values += list->size();
        const bool valueFollows = i + 1 < args.size() && !LooksLikeOption(args[i + 1]);
        Require(!list->empty() && list->front() == (valueFollows ? args[i + 1] : ""),
                "an option's first value is the plain argument right after it", Shown(args[i]));
        for (std::size_t v = 1; v < list->size(); ++v)
            Require(!LooksLikeOption((*list)[v]), "a further value is never an option");
    }
    Require(values <= args.size(), "no value is made up");
}

void CheckMode(const std::vector<std::string>& args, const std::vector<const char*>& argv) {
    std::set<std::string> given(args.begin() + 1, args.end());
    const StartOptions options = EvaluateCommandLine(static_cast<int>(args.size()), argv.data());
    const StartMode mode = given.count("-uninstall") ? StartMode::Uninstall
                           : given.count("-on")      ? StartMode::StayOn
                                                     : StartMode::Off;
    Require(options.mode == mode, "-uninstall wins over -on, and the mode is OFF without either");
    Require(options.startInTray == (given.count("-tray") != 0), "-tray alone asks for the tray");
}

}  // namespace

// One argument per line, after the program's path; a NUL ends an argument as the C runtime's would.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args{"C:\\Tools\\nimbrel.exe"};
    for (const std::string& line : SplitLines(std::string(data, data + size)))
        args.push_back(line.substr(0, line.find('\0')));
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    CheckMap(args, argv);
    CheckMode(args, argv);
    return 0;
}
