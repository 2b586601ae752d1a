#pragma once

#include "control_win.h"

namespace qs::forms {
class ComboBox;
}

namespace qs::win32 {

// A drop-down list that cannot be typed into.
class ComboBoxWin : public ControlWin {
public:
    ComboBoxWin(FormWindow& owner, forms::ComboBox& combo);
    void sync(forms::Property what) override;
    void command(int code) override;

private:
    forms::ComboBox& combo_;
};

} // namespace qs::win32
