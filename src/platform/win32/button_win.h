#pragma once

#include "control_win.h"

namespace qs::win32 {

// A push button, check box or option button. The native control never changes its own state:
// a click asks the model, and the window shows what the model then holds.
class ButtonWin : public ControlWin {
public:
    ButtonWin(FormWindow& owner, forms::Control& control);
    void sync(forms::Property what) override;
    void command(int code) override;

private:
    void applyTextColour();

    bool plain_ = false; // drawn without visual styles, which would ignore its text colour
};

} // namespace qs::win32
