#include "ui/goto_url.h"

#include <cstring>
#include <optional>

#include "platform/reg_key.h"
#include "platform/shell.h"

namespace {

constexpr std::uint32_t kValueBufferSize = 260;
constexpr std::size_t kCommandLineBufferSize = 520;

// The default value of a class-root key; nothing when it cannot be read whole.
std::optional<std::string> ReadClassDefault(const std::string& subKey) {
    platform::RegKey key;
    if (key.Open(platform::kClassesRoot, subKey.c_str(), platform::kKeyQueryValue) !=
        platform::kErrorSuccess)
        return std::nullopt;
    char value[kValueBufferSize] = "";
    std::uint32_t size = sizeof value;
    if (platform::Registry().QueryValueEx(key.get(), nullptr, nullptr, value, &size) !=
            platform::kErrorSuccess ||
        !std::memchr(value, '\0', sizeof value))
        return std::nullopt;
    return std::string(value);
}

// The registered command up to its placeholder for the document, quoted or bare.
std::string WithoutPlaceholder(std::string command) {
    std::size_t at = command.find("\"%1\"");
    if (at == std::string::npos) at = command.find("%1");
    if (at != std::string::npos) command.erase(at);
    return command;
}

// The command line that opens target with the program registered for web pages.
std::optional<std::string> WebPageCommand(const std::string& target) {
    const std::optional<std::string> pageClass = ReadClassDefault(".htm");
    if (!pageClass) return std::nullopt;
    const std::optional<std::string> command =
        ReadClassDefault(*pageClass + "\\shell\\open\\command");
    if (!command) return std::nullopt;
    std::string commandLine = WithoutPlaceholder(*command) + " " + target;
    if (commandLine.size() >= kCommandLineBufferSize) return std::nullopt;
    return commandLine;
}

}  // namespace

std::intptr_t GotoURL(const std::string& target, int show) {
    const std::intptr_t result =
        platform::Shell().ShellExecuteA(0, "open", target.c_str(), nullptr, nullptr, show);
    if (platform::ShellOpened(result)) return result;
    const std::optional<std::string> commandLine = WebPageCommand(target);
    if (!commandLine) return result;
    return platform::Shell().WinExec(commandLine->c_str(), static_cast<std::uint32_t>(show));
}
