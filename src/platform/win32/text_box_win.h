#pragma once

#include "control_win.h"

namespace qs::forms {
class TextBox;
}

namespace qs::win32 {

// An edit control whose typed characters go through the model's KeyPress first; the model's
// text and selection are then written back. Pastes and deletions arrive as a new text.
class TextBoxWin : public ControlWin {
public:
    TextBoxWin(FormWindow& owner, forms::TextBox& box);
    void sync(forms::Property what) override;
    void command(int code) override;

protected:
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void typed(char key);
    void mirror();

    forms::TextBox& box_;
    bool pushing_ = false; // set while the window's own change is being told to the model
};

} // namespace qs::win32
