#pragma once

#include <optional>
#include <string>

namespace qs::win32 {

// Reads a time of day: hours, minutes and optional seconds separated by ':' or the regional
// separator, with an optional AM/PM designator before or after (the regional ones, or English),
// letter case ignored. Without a designator the hours are 0-23, with one 1-12. Seconds of the
// day, or nullopt.
std::optional<int> parseTimeOfDay(const std::string& text, const std::string& separator, const std::string& am,
                                  const std::string& pm);

} // namespace qs::win32
