#pragma once

#include <string>

namespace qs::platform {

// Where a failed event handler is written down. The user sees nothing of it; the text names the
// handler ("frmAction.cmdNow.Click") and the error, never a setting's value.
class ErrorLog {
public:
    virtual ~ErrorLog() = default;

    virtual void error(const std::string& handler, const std::string& what) = 0;
    // An error entry in the system's own log of application events, for faults of the program
    // itself ("cSystray.zAddMsg: Message table overflow...").
    virtual void applicationEvent(const std::string& text) = 0;
};

// The text of the exception being handled: a standard exception's what(), else "unknown error".
// Only inside a catch block.
std::string currentErrorText();

} // namespace qs::platform
