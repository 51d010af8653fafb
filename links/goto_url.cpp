#include "links/goto_url.h"

#include <optional>

#include "platform/reg_key.h"
#include "platform/shell.h"
#include "platform/text_length.h"

namespace {

constexpr std::size_t kLongestValue = 260;  // with its terminator
constexpr std::size_t kCommandLineBufferSize = 520;

// The default value of a class-root key; nothing when it cannot be read whole.
std::optional<std::string> ReadClassDefault(const std::string& subKey) {
    const platform::RegKey key(platform::Root::kClassesRoot, subKey, platform::KeyAccess::kRead);
    if (!key) return std::nullopt;
    std::optional<std::string> value = platform::Registry().ReadText(key.get(), "");
    if (value && Utf16Length(*value) >= kLongestValue) return std::nullopt;
    return value;
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
    if (Utf16Length(commandLine) >= kCommandLineBufferSize) return std::nullopt;
    return commandLine;
}

}  // namespace

std::intptr_t GotoURL(const std::string& target) {
    const std::intptr_t result = platform::Shell().Open(0, target);
    if (platform::ShellOpened(result)) return result;
    const std::optional<std::string> commandLine = WebPageCommand(target);
    if (!commandLine) return result;
    return platform::Shell().StartProgram(*commandLine);
}
