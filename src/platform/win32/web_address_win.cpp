#include "web_address_win.h"

namespace qs::win32 {

INTERNET_SCHEME schemeOf(const std::string& url) {
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = 1; // only where the scheme stands, nothing copied
    return InternetCrackUrlA(url.c_str(), 0, 0, &parts) ? parts.nScheme : INTERNET_SCHEME_UNKNOWN;
}

bool isWebAddress(const std::string& url) {
    const INTERNET_SCHEME scheme = schemeOf(url);
    return scheme == INTERNET_SCHEME_HTTP || scheme == INTERNET_SCHEME_HTTPS;
}

std::optional<std::string> resolveAddress(const std::string& base, const std::string& location) {
    std::string absolute(INTERNET_MAX_URL_LENGTH, '\0');
    DWORD length = static_cast<DWORD>(absolute.size());
    // The server's Location is sent encoded already.
    if (!InternetCombineUrlA(base.c_str(), location.c_str(), absolute.data(), &length, ICU_NO_ENCODE))
        return std::nullopt;
    absolute.resize(length);
    return absolute;
}

} // namespace qs::win32
