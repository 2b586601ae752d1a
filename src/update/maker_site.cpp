#include "maker_site.h"

#include <cstdlib>

namespace qs::update {

namespace {
// A domain reserved for examples: nobody publishes versions of this program there.
constexpr const char* kMakerSite = "https://www.example.com";
} // namespace

std::string MakerSite() {
    const char* configured = std::getenv("QSHUTDOWN_SITE");
    std::string site = configured && *configured ? configured : kMakerSite;
    while (!site.empty() && site.back() == '/')
        site.pop_back();
    return site;
}

} // namespace qs::update
