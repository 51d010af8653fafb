#include "about/maker_pages.h"

#include <algorithm>

#include "res/product.h"

namespace {

std::string OnMakerSite(const char* path) {
    return std::string("http://") + kMakerSite + path;
}

}  // namespace

std::string UpdatePageUrl(const std::string& version) {
    std::string page = version;
    std::replace(page.begin(), page.end(), '.', 'p');
    return OnMakerSite("/updates/nimbrel") + page + ".htm?ref=nb2";
}

std::string HomeLinkTarget(bool germanEdition) {
    return OnMakerSite(germanEdition ? "/de/vellmark.htm?ref=nb2" : "/nimbrel.htm?ref=nb2");
}

std::string ContactLinkTarget(bool germanEdition) {
    return OnMakerSite(germanEdition ? "/de/service/contact/?ref=nb2"
                                     : "/service/contact/?ref=nb2");
}

std::string MailLinkTarget() {
    return std::string("mailto: ") + kMakerMail + "?Subject=Support " + kVersion;
}
