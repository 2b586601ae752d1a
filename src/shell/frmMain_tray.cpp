// The main window's tray icon: made at start-up, changed by activation and closing to the tray,
// released at exit; its pointer moves and clicks.
#include "../app/frmMain.h"
#include "cSystray.h"

namespace qs::app {

namespace {
constexpr std::uint32_t kBalloonInformation = 1;
constexpr std::int16_t kRightButton = 2;
} // namespace

void frmMain::TrayCreate() {
    // Without a tray object the program goes on without an icon.
    try {
        f_cSystray = std::make_unique<shell::cSystray>(os_.tray, os_.windowProcedures, os_.errors);
        f_cSystray->MouseMove = [this] { f_cSystray_MouseMove(); };
        f_cSystray->MouseUp = [this](std::int16_t& Button) { f_cSystray_MouseUp(Button); };
        TraySetIcon(tmrAction->enabled());
        f_cSystray->SysTrayToolTip(caption());
        f_cSystray->SysTrayShow(true);
    } catch (...) {
        os_.errors.error("frmMain.Load", platform::currentErrorText());
    }
}

void frmMain::TraySetIcon(bool active) {
    if (f_cSystray)
        f_cSystray->SysTrayIconFromHandle(os_.tray.programIcon(active ? "main" : IcoDisabled->picture()));
}

void frmMain::TrayBalloon(const std::string& text, int timeoutMs) {
    if (!f_cSystray || !f_cSystray->IsBalloonCapable())
        return;
    f_cSystray->BalloonIcon(kBalloonInformation);
    f_cSystray->BalloonTitle(g_.AppTitle);
    f_cSystray->BalloonText(text);
    f_cSystray->BalloonShow(true, timeoutMs, true);
}

void frmMain::TrayRelease() {
    if (!f_cSystray)
        return;
    if (f_cSystray->Notifying()) {
        // This exit runs inside one of its events (a pop-up menu's loop let a timer end the
        // program): the icon goes now, the object once that event has returned.
        f_cSystray->SysTrayShow(false);
        f_cSystray->MouseMove = nullptr;
        f_cSystray->MouseUp = nullptr;
        retiredTray_ = std::move(f_cSystray);
        return;
    }
    f_cSystray.reset();
}

void frmMain::HideToTray() {
    if (os_.tray.available())
        hide();
    else
        minimize();
}

void frmMain::f_cSystray_MouseMove() {
    if (tmrAction->enabled())
        f_cSystray->SysTrayToolTip(g_.ActionName + " will occur after " + RemainingTime());
    else
        f_cSystray->SysTrayToolTip(g_.AppTitle);
}

void frmMain::f_cSystray_MouseUp(std::int16_t& Button) {
    if (Button == kRightButton) {
        f_cSystray->BeforePopup();
        popupMenu(*pMenu, pRestore);
    } else {
        show();
    }
}

} // namespace qs::app
