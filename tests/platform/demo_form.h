#pragma once

#include "../../src/forms/button.h"
#include "../../src/forms/check_box.h"
#include "../../src/forms/combo_box.h"
#include "../../src/forms/form.h"
#include "../../src/forms/image.h"
#include "../../src/forms/label.h"
#include "../../src/forms/option_button.h"
#include "../../src/forms/progress_bar.h"
#include "../../src/forms/scroll_bar.h"
#include "../../src/forms/status_bar.h"
#include "../../src/forms/text_box.h"
#include "../../src/forms/time_picker.h"
#include "../../src/forms/timer.h"

#include <array>
#include <string>
#include <vector>

namespace qs::test {

// A form with one control of every kind and a menu of every shape, recording its events.
class DemoForm : public forms::Form {
public:
    explicit DemoForm(forms::Application& app);

    forms::Control* fraChoice;
    std::array<forms::OptionButton*, 3> optChoice;
    forms::Label* lblNumber;
    forms::Label* lblFitted; // sized to its text, in a font and colour of its own
    forms::TextBox* txtNumber;
    forms::CheckBox* chkRevert;
    forms::CheckBox* chkPlain;
    forms::ComboBox* cboUnit;
    forms::ScrollBar* scrValue;
    forms::TimePicker* dtpAt;
    forms::ProgressBar* prgDone;
    forms::Control* picBox;
    forms::Label* lblInside;
    forms::Image* imgIcon;
    forms::Button* cmdCancel;
    forms::StatusBar* stsBar;
    forms::Timer* tmrTick;

    forms::MenuItem* mnuFile;
    forms::MenuItem* mnuOpen;
    forms::MenuItem* mnuQuit;
    forms::MenuItem* mnuAbout;
    forms::MenuItem* mnuPopup;
    forms::MenuItem* mnuPopupItem;

    std::vector<std::string> events;
    int paints = 0; // Paint, which draws a question mark icon at kIconX, kIconY
    static constexpr int kIconX = 330, kIconY = 20;
    int cancelQueryUnload = 0; // what QueryUnload answers
};

} // namespace qs::test
