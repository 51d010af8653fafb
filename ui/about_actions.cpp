#include "ui/about_actions.h"

#include <string>

#include "platform/shell.h"
#include "res/product.h"
#include "ui/maker_pages.h"

void OpenHelpFile(platform::Window owner, const std::string& helpPath) {
    if (platform::ShellOpened(platform::Shell().Open(owner, helpPath))) return;
    platform::User().ShowMessage(owner, "Can not find the help file at " + helpPath, kMakerName,
                                 platform::MessageIcon::kNone);
}

void OpenUpdatePage(platform::Window owner) {
    platform::Shell().Open(owner, UpdatePageUrl(kVersion));
}
