#pragma once

#include "control_win.h"

#include <map>
#include <string>
#include <vector>

namespace qs::forms {
class StatusBar;
}

namespace qs::win32 {

// The common controls' status bar along the bottom of the form: a part per panel, stretching
// panels sharing what the fixed ones leave, a tooltip per panel, and clock panels that show the
// time and wake once a minute to keep it.
class StatusBarWin : public ControlWin {
public:
    StatusBarWin(FormWindow& owner, forms::StatusBar& bar);
    ~StatusBarWin() override;
    void sync(forms::Property what) override;

protected:
    bool message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void layoutParts();
    void setTexts();
    void refreshClock();
    void fitFont();
    void keepFontHeight();
    bool textsFit(HDC dc, HFONT font) const;

    forms::StatusBar& bar_;
    std::vector<int> edges_;         // the parts' right edges as last set
    std::vector<std::string> shown_; // each part's text as last written
    std::vector<std::string> tips_;  // each part's tooltip as last set
    std::vector<bool> clock_;        // which parts are clocks, as the minute timer was set for
    std::map<LONG, HFONT> smaller_;  // the smaller fonts made so far, by height
    HFONT font_ = nullptr;           // the font the bar has
};

} // namespace qs::win32
