#pragma once

#include "../tray.h"

#include <cstddef>
#include <cstdint>

namespace qs::win32 {

// A notification-area request as Shell_NotifyIconA takes it: NOTIFYICONDATAA in its 504-byte form
// (up to guidItem). Built whole whatever the size field says; the shell reads only that much.
struct NotifyIconRecord {
    std::uint32_t cbSize;
    std::uint32_t hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uint32_t hIcon;
    char szTip[128];
    std::uint32_t dwState;
    std::uint32_t dwStateMask;
    char szInfo[256];
    std::uint32_t uTimeoutOrVersion;
    char szInfoTitle[64];
    std::uint32_t dwInfoFlags;
    std::uint8_t guidItem[16];
};
static_assert(offsetof(NotifyIconRecord, hWnd) == 4 && offsetof(NotifyIconRecord, uID) == 8 &&
              offsetof(NotifyIconRecord, uFlags) == 12 && offsetof(NotifyIconRecord, uCallbackMessage) == 16 &&
              offsetof(NotifyIconRecord, hIcon) == 20 && offsetof(NotifyIconRecord, szTip) == 24 &&
              offsetof(NotifyIconRecord, dwState) == 152 && offsetof(NotifyIconRecord, dwStateMask) == 156 &&
              offsetof(NotifyIconRecord, szInfo) == 160 && offsetof(NotifyIconRecord, uTimeoutOrVersion) == 416 &&
              offsetof(NotifyIconRecord, szInfoTitle) == 420 && offsetof(NotifyIconRecord, dwInfoFlags) == 484 &&
              offsetof(NotifyIconRecord, guidItem) == 488 && sizeof(NotifyIconRecord) == 504);

// The record of a request: the texts cut to their fields with their NUL (127, 255 and 63
// characters at most), state, mask and GUID zero.
NotifyIconRecord notifyIconRecord(const platform::NotifyIconData& data);

} // namespace qs::win32
