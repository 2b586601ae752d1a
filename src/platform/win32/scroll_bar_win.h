#pragma once

#include "control_win.h"

namespace qs::forms {
class ScrollBar;
}

namespace qs::win32 {

// A vertical scroll bar used as up/down: its up arrow raises the value, so the native bar runs on
// the negated range.
class ScrollBarWin : public ControlWin {
public:
    ScrollBarWin(FormWindow& owner, forms::ScrollBar& bar);
    void sync(forms::Property what) override;
    void scroll(int request) override;

private:
    forms::ScrollBar& bar_;
};

} // namespace qs::win32
