#pragma once

#include <string>

namespace qs::update {

// The maker's web site without a trailing "/": the built-in address, or the one the environment
// variable QSHUTDOWN_SITE names (tests point the program at a server of their own).
std::string MakerSite();

} // namespace qs::update
