#include "settings/shortcut_failure.h"

#include "res/product.h"

void ShortcutFailureNotice::Tell(platform::Window owner, const std::string& folder) {
    if (m_told) return;
    m_told = true;
    const std::string where = folder.empty() ? "." : ":\n" + folder;
    const std::string text =
        "The autostart shortcut could not be written into your Startup folder" + where + "\n\n" +
        kProductName + " will not start automatically with Windows.";
    platform::User().ShowMessage(owner, text, kMakerName, platform::MessageIcon::kWarning);
}
