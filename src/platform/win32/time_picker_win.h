#pragma once

#include "control_win.h"

namespace qs::forms {
class TimePicker;
}

namespace qs::win32 {

// The common controls' date-time picker in time format.
class TimePickerWin : public ControlWin {
public:
    TimePickerWin(FormWindow& owner, forms::TimePicker& picker);
    void sync(forms::Property what) override;
    LRESULT notify(const NMHDR& header) override;

private:
    forms::TimePicker& picker_;
};

} // namespace qs::win32
