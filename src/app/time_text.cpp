#include "time_text.h"

#include <cstdio>
#include <cstdlib>

namespace qs::app {

std::string TimeString(long seconds, bool verbose) {
    if (seconds < 0)
        return "-" + TimeString(-seconds, verbose);
    const long h = seconds / 3600;
    const long m = seconds / 60 - 60 * h;
    const long s = seconds % 60;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%ld:%02ld.%02ld", h, m, s);
    return verbose ? TimeInWords(buf) : std::string(buf);
}

std::string TimeInWords(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || text.size() < colon + 3 || text.size() < 2)
        return text;
    const long hours = std::strtol(text.substr(0, colon).c_str(), nullptr, 10);
    const std::string mm = text.substr(colon + 1, 2);
    const long seconds = std::strtol(text.substr(text.size() - 2).c_str(), nullptr, 10);

    std::string words;
    if (hours != 0)
        words += std::to_string(hours) + " hour" + (hours > 1 ? "s" : "") + ", ";
    if (mm != "00") {
        const long minutes = std::strtol(mm.c_str(), nullptr, 10);
        const bool hadHours = !words.empty();
        words += std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
        words += hadHours ? ", and " : " and ";
    } else if (!words.empty()) {
        words += "0 minutes, and ";
    }
    words += std::to_string(seconds) + " second" + (seconds == 1 ? "" : "s");
    return words;
}

} // namespace qs::app
