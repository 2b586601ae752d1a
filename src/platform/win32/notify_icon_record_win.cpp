#include "notify_icon_record_win.h"

#include <algorithm>
#include <string>

namespace qs::win32 {

namespace {

template <std::size_t N> void copyText(char (&field)[N], const std::string& text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    field[length] = '\0';
}

} // namespace

NotifyIconRecord notifyIconRecord(const platform::NotifyIconData& data) {
    NotifyIconRecord record{};
    record.cbSize = data.cbSize;
    record.hWnd = static_cast<std::uint32_t>(data.hWnd);
    record.uID = data.uID;
    record.uFlags = data.uFlags;
    record.uCallbackMessage = data.uCallbackMessage;
    record.hIcon = static_cast<std::uint32_t>(data.hIcon);
    copyText(record.szTip, data.szTip);
    copyText(record.szInfo, data.szInfo);
    record.uTimeoutOrVersion = data.uTimeoutOrVersion;
    copyText(record.szInfoTitle, data.szInfoTitle);
    record.dwInfoFlags = data.dwInfoFlags;
    return record;
}

} // namespace qs::win32
