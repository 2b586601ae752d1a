#pragma once

#include <functional>
#include <string>

namespace qs::test {

enum class Outcome { Passed, Failed, Impossible };

// Runs a check as an ordinary user: directly when the tests are not root, else in a child process
// that has become "nobody" (root may write anywhere, so permission tests would prove nothing).
Outcome runUnprivileged(const std::function<bool()>& check);

// A fresh folder under /tmp that "nobody" can enter; removed by the caller.
std::string sharedTempFolder();

} // namespace qs::test
