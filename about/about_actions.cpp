#include "about/about_actions.h"

#include <string>

#include "about/maker_pages.h"
#include "platform/shell.h"
#include "res/product.h"

void OpenHelpFile(platform::Window owner, const std::string& helpPath) {
    if (platform::ShellOpened(platform::Shell().Open(owner, helpPath))) return;
    platform::User().ShowMessage(owner, "Can not find the help file at " + helpPath, kMakerName,
                                 platform::MessageIcon::kNone);
}

void OpenUpdatePage(platform::Window owner) {
    platform::Shell().Open(owner, UpdatePageUrl(kVersion));
}
