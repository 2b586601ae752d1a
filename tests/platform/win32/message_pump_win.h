#pragma once

#include <functional>
#include <windows.h>

namespace qs::win32::test {

// Dispatches this thread's messages until done says so; false when it has not within the limit.
inline bool pumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= limitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, limitMs - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

} // namespace qs::win32::test
