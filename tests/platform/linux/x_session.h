#pragma once

#include <string>
#include <sys/types.h>

namespace qs::test {

// An X display (Xvfb) and a D-Bus session bus of the test's own, never the machine's, for a
// QApplication on the xcb platform made after this: Qt reads DISPLAY and the bus address as it
// starts. error() says why they did not start.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    const std::string& error() const { return error_; }

private:
    pid_t xvfb_ = 0;
    pid_t bus_ = 0;
    std::string error_;
};

} // namespace qs::test
