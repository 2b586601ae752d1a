#pragma once

#include "../wake_timer.h"

namespace qs::win32 {

class Win32WakeTimer : public platform::WakeTimer {
public:
    bool canWake() override { return false; } // SCAFFOLD
    bool arm(const std::string&, std::int64_t) override { return false; }
    void waitSignalled() override {}
    void close() override {}
};

} // namespace qs::win32
