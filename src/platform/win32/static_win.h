#pragma once

#include "control_win.h"

namespace qs::win32 {

// The kinds that only show something: label, frame, borderless panel, image, progress bar.
class StaticWin : public ControlWin {
public:
    StaticWin(FormWindow& owner, forms::Control& control);
    void sync(forms::Property what) override;

protected:
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void syncLabelStyle();
    void syncImage();
    void syncProgress();
};

} // namespace qs::win32
