#include "time_picker_win.h"

#include "../../forms/time_picker.h"

#include <commctrl.h>

namespace qs::win32 {

using forms::Property;

TimePickerWin::TimePickerWin(FormWindow& owner, forms::TimePicker& picker)
    : ControlWin(owner, picker), picker_(picker) {
    create(DATETIMEPICK_CLASSA, DTS_TIMEFORMAT | WS_TABSTOP);
}

void TimePickerWin::sync(Property what) {
    ControlWin::sync(what);
    if (!hwnd_ || what != Property::Value)
        return;
    const FlagScope syncing(syncing_);
    SYSTEMTIME time{};
    GetLocalTime(&time); // the picker wants a whole date; only the time of day is ours
    const int seconds = picker_.secondsOfDay();
    time.wHour = static_cast<WORD>(seconds / 3600);
    time.wMinute = static_cast<WORD>(seconds / 60 % 60);
    time.wSecond = static_cast<WORD>(seconds % 60);
    time.wMilliseconds = 0;
    SendMessageA(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

LRESULT TimePickerWin::notify(const NMHDR& header) {
    if (header.code != DTN_DATETIMECHANGE || syncing_ || !live() || !picker_.acceptsInput())
        return 0;
    const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
    if (change.dwFlags != GDT_VALID)
        return 0;
    picker_.setSecondsOfDay(change.st.wHour * 3600 + change.st.wMinute * 60 + change.st.wSecond);
    if (live())
        sync(Property::Value);
    return 0;
}

} // namespace qs::win32
