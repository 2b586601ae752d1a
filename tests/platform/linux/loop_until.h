#pragma once

#include <functional>

namespace qs::test {

// Runs the Qt event loop, sleeping between events, until done() holds or timeoutMs have passed.
// True when done() holds.
bool loopUntil(const std::function<bool()>& done, int timeoutMs);

} // namespace qs::test
