#pragma once

#include "../forms/form.h"
#include "../forms/image.h"
#include "../forms/label.h"

namespace qs::app {
class frmMain;
}

namespace qs::windows {

// The about box: the logo, the product's name and its version. No buttons; Escape closes it.
class frmAbout : public forms::Form {
public:
    explicit frmAbout(app::frmMain& main);

    forms::Image* Image1;
    forms::Label* lblTitle;
    forms::Label* lblVersion;

private:
    void Form_Load();
    void Form_KeyDown(int& key);
};

} // namespace qs::windows
