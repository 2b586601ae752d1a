#include "frmAbout.h"

#include "../app/frmMain.h"
#include "../app/globals.h"

namespace qs::windows {

namespace {
constexpr int kClientWidth = 4200, kClientHeight = 1320;
} // namespace

frmAbout::frmAbout(app::frmMain& main) : forms::Form(main.app(), "frmAbout") {
    using namespace forms;
    setCaption("About");
    setBorderStyle(BorderStyle::FixedDialog);
    setSize(kClientWidth + 90, kClientHeight + 405);
    setKeyPreview(true);
    Image1 = &add<Image>("Image1");
    Image1->move(240, 240, 720, 720);
    Image1->setPicture("main");
    lblTitle = &add<Label>("lblTitle");
    lblTitle->move(1200, 300, 2800, 300);
    lblTitle->setFont("Tahoma", 12);
    lblTitle->setBold(true);
    lblTitle->setCaption("Quorrel Shutdown");
    lblVersion = &add<Label>("lblVersion");
    lblVersion->move(1200, 780, 2800, 240);
    lblVersion->setCaption("Version : ");

    Load = [this] { Form_Load(); };
    KeyDown = [this](int& key, int) { Form_KeyDown(key); };
}

void frmAbout::Form_Load() {
    lblVersion->setCaption("Version : " + std::to_string(app::kVersionMajor) + "." +
                           std::to_string(app::kVersionMinor) + "  Build " + std::to_string(app::kVersionRevision));
}

void frmAbout::Form_KeyDown(int& key) {
    if (key != forms::kKeyEscape)
        return;
    key = 0;
    unload();
}

} // namespace qs::windows
