// The hyperlink's fallback: when the shell cannot open a link, the program registered for web
// pages is started with it, from registry texts of any type and size, and the command line it
// builds always fits its buffer.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "links/goto_url.h"
#include "platform/text_length.h"
#include "tests/doubles/fake_registry.h"
#include "tests/doubles/fake_shell.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/script.h"

namespace {

constexpr std::size_t kCommandLineBuffer = 520;
constexpr std::size_t kValueBuffer = 260;

// The default value's text as a 260-byte read takes it: nothing when it does not fit whole.
bool ReadableText(const FakeRegistry& registry, const std::string& key, std::string* text) {
    const FakeRegistry::Value* value = registry.Find(key, "");
    if (!value ||
        (value->type != FakeRegistry::kText && value->type != FakeRegistry::kExpandableText))
        return false;
    const std::string bytes(value->bytes.begin(), value->bytes.end());
    *text = bytes.substr(0, bytes.find('\0'));
    return Utf16Length(*text) < kValueBuffer;
}

void CheckFallback(const FakeRegistry& registry, const FakeShell& shell,
                   const std::string& target) {
    const std::string commandLine = shell.started.front();
    Require(Utf16Length(commandLine) < kCommandLineBuffer, "the command line fits its buffer",
            std::to_string(Utf16Length(commandLine)));
    std::string pageClass;
    std::string command;
    Require(ReadableText(registry, "HKCR\\.htm", &pageClass) &&
                ReadableText(registry, "HKCR\\" + pageClass + "\\shell\\open\\command", &command),
            "the fallback runs only a command read whole from the registry");
    const std::string tail = " " + target;
    Require(commandLine.size() >= tail.size() &&
                commandLine.compare(commandLine.size() - tail.size(), tail.size(), tail) == 0,
            "the command line ends with a blank and the link", Shown(commandLine));
    const std::string program = commandLine.substr(0, commandLine.size() - tail.size());
    Require(command.compare(0, program.size(), program) == 0,
            "the program part is the registered command, up to its placeholder",
            Shown(commandLine));
    Require(program == command || command.find("%1") != std::string::npos,
            "a command without a placeholder is kept whole");
}

}  // namespace

// Registry values under HKCR (".htm" and the class's shell\open\command) and the steps
// "!target <link>", "!shell <ShellExecute's result>", "!exec <WinExec's result>".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeRegistry registry;
    platform::IRegistry* previous = platform::ServiceSlot<platform::IRegistry>();
    platform::Provide<platform::IRegistry>(&registry);
    FakeShell shell;
    shell.openResult = 2;
    std::string target = "http://www.quaddle.example/";
    for (const ScriptLine& line : ParseScript(data, size, "HKCR")) {
        if (line.isValue) PutValue(registry, line);
        if (line.word == "target") target = line.rest.substr(0, line.rest.find('\0'));
        if (line.word == "shell") shell.openResult = std::strtoll(line.rest.c_str(), nullptr, 0);
        if (line.word == "exec")
            shell.startResult =
                static_cast<std::uint32_t>(std::strtoul(line.rest.c_str(), nullptr, 0));
    }

    const std::intptr_t result = GotoURL(target);
    Require(shell.opened.size() == 1 && shell.opened.front().target == target,
            "the shell is asked once, for the link itself");
    Require(shell.started.size() <= 1, "the fallback runs at most once");
    const bool shellOpened = static_cast<std::uintptr_t>(shell.openResult) > 32;
    if (shellOpened || shell.started.empty()) {
        Require(shell.started.empty() || !shellOpened,
                "no fallback after the shell opened the link");
        Require(result == shell.openResult, "without a fallback the shell's result is given");
    } else {
        CheckFallback(registry, shell, target);
        Require(result == static_cast<std::intptr_t>(shell.startResult),
                "after a fallback its own result is given");
    }
    Require(registry.OpenHandles() == 0, "every registry key is closed");
    platform::Provide<platform::IRegistry>(previous);
    return 0;
}
