#include "ui/about_actions.h"

#include <string>

#include "platform/shell.h"
#include "res/product.h"
#include "ui/maker_pages.h"

void OpenHelpFile(platform::Window owner, const std::string& helpPath) {
    const std::intptr_t result = platform::Shell().ShellExecuteA(
        owner, "Open", helpPath.c_str(), nullptr, nullptr, platform::kSwShowNormal);
    if (platform::ShellOpened(result)) return;
    const std::string text = "Can not find the help file at " + helpPath;
    platform::User().MessageBoxA(owner, text.c_str(), kMakerName.c_str(), platform::kMbOk);
}

void OpenUpdatePage(platform::Window owner) {
    const std::string url = UpdatePageUrl(kVersion);
    platform::Shell().ShellExecuteA(owner, "Open", url.c_str(), nullptr, nullptr,
                                    platform::kSwShowNormal);
}
