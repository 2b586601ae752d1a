#pragma once

#include <string>

namespace qs::app {

// Seconds as "H:MM.SS" (minutes and seconds joined by a full stop), or in words when verbose:
// 3661 gives "1:01.01" or "1 hour, 1 minute, and 1 second". A negative count keeps its sign.
std::string TimeString(long seconds, bool verbose);

// "H:MM.SS" as TimeString writes it, in words.
std::string TimeInWords(const std::string& text);

} // namespace qs::app
