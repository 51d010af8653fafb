#include "links/link_error.h"

#include "platform/process.h"
#include "res/product.h"

namespace {

// What the window layer uses for a box without a caption of its own: the program file's name
// without folder and extension.
std::string ApplicationName() {
    std::string name = platform::Process().ProgramPath();
    name.erase(0, name.find_last_of("\\/:") + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? kProductName : name;
}

}  // namespace

std::string LinkErrorReason(int code) {
    switch (code) {
        case 0:
            return "The operating system is out\nof memory or resources.";
        case 2:
            return "The specified file was not found.";
        case 3:
            return "The specified path was not found.";
        case 5:
            return "The operating system denied\naccess to the specified file.";
        case 8:
            return "There was not enough memory to complete the operation.";
        case 11:
            return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26:
            return "A sharing violation occurred. ";
        case 27:
            return "The filename association is\nincomplete or invalid.";
        case 28:
            return "The DDE transaction could not\nbe completed because the request timed out.";
        case 29:
            return "The DDE transaction failed.";
        case 30:
            return "The DDE transaction could not\nbe completed because other DDE "
                   "transactions\nwere being processed.";
        case 31:
            return "There is no application associated\nwith the given filename extension.";
        case 32:
            return "The specified dynamic-link library was not found.";
        default:
            return "Unknown Error (" + std::to_string(code) + ") occurred.";
    }
}

void ReportError(int code, platform::Window owner) {
    const std::string text = "Unable to open hyperlink:\n\n" + LinkErrorReason(code);
    platform::User().ShowMessage(owner, text, ApplicationName(), platform::MessageIcon::kWarning);
}
