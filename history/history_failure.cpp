#include "history/history_failure.h"

#include "platform/user.h"
#include "res/product.h"

void TellHistoryFailure(const std::string& path) {
    const std::string where = path.empty() ? "." : ":\n" + path;
    const std::string text = "The line history could not be written" + where + "\n\n" +
                             kProductName + " goes on without it.";
    platform::User().ShowMessage(0, text, kMakerName, platform::MessageIcon::kWarning);
}
