#include "version_number.h"

#include "../app/globals.h"
#include "../app/numbers.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace qs::update {

double ReadVersion(const std::string& text) {
    const double version = app::Val(text);
    // "1E999" overflows; a version nobody can compare with is no version.
    return std::isfinite(version) ? version : 0;
}

std::string VersionText(double version) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", version);
    std::string text = buf;
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

double RunningVersion() {
    return app::Val(std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor));
}

} // namespace qs::update
