#pragma once

#include <optional>
#include <string>
#include <windows.h>
#include <wininet.h>

namespace qs::win32 {

// The scheme of an absolute address; INTERNET_SCHEME_UNKNOWN when WinINet cannot read it.
INTERNET_SCHEME schemeOf(const std::string& url);

// Whether WinINet fetches the address over HTTP or HTTPS. InternetOpenUrlA would also fetch FTP
// and gopher addresses, whose answers have no status.
bool isWebAddress(const std::string& url);

// A redirect's Location, which may be relative, as an absolute address against the one asked.
std::optional<std::string> resolveAddress(const std::string& base, const std::string& location);

} // namespace qs::win32
