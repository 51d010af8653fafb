#include "settings/shortcut_failure.h"

#include "res/product.h"

int g_bShortcutFailureTold = 0;

void TellShortcutNotWritten(platform::Window owner, const std::string& folder) {
    // Every later save would fail the same way: one box a run is enough.
    if (g_bShortcutFailureTold) return;
    g_bShortcutFailureTold = 1;
    const std::string where = folder.empty() ? "." : ":\n" + folder;
    const std::string text =
        "The autostart shortcut could not be written into your Startup folder" + where + "\n\n" +
        kProductName + " will not start automatically with Windows.";
    platform::User().MessageBoxA(owner, text.c_str(), g_strMaker.c_str(),
                                 platform::kMbOk | platform::kMbIconWarning);
}
