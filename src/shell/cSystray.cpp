// The tray icon's life, its record and the requests sent to the shell.
#include "cSystray.h"

namespace qs::shell {

using namespace platform;

namespace {

constexpr std::uint32_t kVersionField = 3;
constexpr std::uint32_t kNoSound = 0x10;
constexpr size_t kTipChars = 127;
constexpr size_t kInfoChars = 255;
constexpr size_t kTitleChars = 63;

// What fits into a record field with its terminating NUL.
std::string Cut(const std::string& text, size_t chars) {
    return text.substr(0, chars);
}

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::uint32_t cSystray::RecordSize(std::optional<int> shellMajor) {
    if (!shellMajor)
        return 0;
    if (*shellMajor < 5)
        return kOldRecordSize;
    return *shellMajor == 5 ? 488 : 504;
}

cSystray::cSystray(Tray& tray, WindowProcedures& procedures, ErrorLog& errors)
    : tray_(tray), errors_(errors),
      // A number no other icon of the program has.
      id_(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(this))), timerId_(id_ + std::uintptr_t{1}) {
    size_ = RecordSize(tray_.shellMajorVersion());
    window_ = tray_.createMessageWindow();
    taskbarCreated_ = tray_.registerWindowMessage("TaskbarCreated");
    hooks_ = procedures.createHooks("cSystray");
    if (hooks_->subclass(window_, 0, [this](HookedMessage& m) { OnMessage(m); })) {
        hooks_->watch(window_, static_cast<int>(kCallbackMessage), kDeliverAfter);
        hooks_->watch(window_, static_cast<int>(taskbarCreated_), kDeliverAfter);
    }
}

cSystray::~cSystray() {
    SysTrayShow(false);
    ReleaseLoadedIcon();
    hooks_->releaseAll();
    tray_.destroyWindow(window_);
    hooks_->releaseCallbacks();
}

void cSystray::SysTrayShow(bool bShow) {
    if (!bShow) {
        if (shown_) {
            KillBalloonTimer();
            Send(kNotifyDelete);
            shown_ = false;
        }
        return;
    }
    if (!shown_) {
        nid_.cbSize = size_;
        nid_.hWnd = window_;
        nid_.uID = id_;
        nid_.uCallbackMessage = kCallbackMessage;
        nid_.uTimeoutOrVersion = kVersionField;
    }
    nid_.uFlags = kNotifyMessage;
    if (icon_ != 0) {
        nid_.uFlags |= kNotifyIcon;
        nid_.hIcon = icon_;
    }
    if (!toolTip_.empty()) {
        nid_.uFlags |= kNotifyTip;
        nid_.szTip = Cut(toolTip_, kTipChars);
    }
    Send(shown_ ? kNotifyModify : kNotifyAdd);
    shown_ = true;
}

bool cSystray::BalloonShow(bool bShow, int lTimeout, bool bNoSound) {
    if (!IsBalloonCapable())
        return false;
    if (bShow) {
        BalloonShow(false, -1, false);
        balloonTimeout_ = lTimeout;
        nid_.uFlags = kNotifyInfo;
        nid_.szInfo = Cut(balloonText_, kInfoChars);
        nid_.szInfoTitle = Cut(balloonTitle_, kTitleChars);
        nid_.dwInfoFlags = balloonIcon_ | (bNoSound ? kNoSound : 0);
        Send(kNotifyModify);
    } else {
        nid_.uFlags = kNotifyInfo;
        nid_.szInfo.clear();
        nid_.szInfoTitle.clear();
        Send(kNotifyModify);
        KillBalloonTimer();
    }
    return true;
}

void cSystray::BeforePopup() {
    tray_.setForeground(window_);
}

void cSystray::SysTrayToolTip(const std::string& New_ToolTip) {
    toolTip_ = TrimBlanks(New_ToolTip);
    nid_.uFlags = kNotifyTip;
    nid_.szTip = Cut(toolTip_, kTipChars);
    // Sent even before the icon is shown: the shell refuses it, and the next add carries the text.
    Send(kNotifyModify);
}

void cSystray::BalloonIcon(std::uint32_t Icon) {
    if (!IsBalloonCapable())
        return;
    balloonIcon_ = Icon;
    nid_.uFlags = kNotifyTip | kNotifyInfo;
    nid_.dwInfoFlags = Icon;
    Send(kNotifyModify);
}

void cSystray::BalloonTitle(const std::string& sTitle) {
    if (!IsBalloonCapable())
        return;
    balloonTitle_ = sTitle;
    nid_.uFlags = kNotifyTip | kNotifyInfo;
    nid_.szInfoTitle = Cut(sTitle, kTitleChars);
    Send(kNotifyModify);
}

void cSystray::BalloonText(const std::string& sText) {
    if (!IsBalloonCapable())
        return;
    balloonText_ = sText;
    nid_.uFlags = kNotifyTip | kNotifyInfo;
    nid_.szInfo = Cut(sText, kInfoChars);
    Send(kNotifyModify);
}

void cSystray::SysTrayIconFromHandle(IconHandle lIcon) {
    icon_ = lIcon;
    if (shown_) {
        nid_.uFlags = kNotifyIcon;
        nid_.hIcon = lIcon;
        Send(kNotifyModify);
    }
}

void cSystray::ReleaseLoadedIcon() {
    if (loadedIcon_ != 0)
        tray_.releaseIcon(loadedIcon_);
    loadedIcon_ = 0;
}

// The icon loaded before is released only once the new one has taken its place: after a failed
// load the icon shown is still the one before, still owned, never a released handle.
bool cSystray::UseLoadedIcon(IconHandle icon) {
    if (icon == 0)
        return false;
    const IconHandle previous = loadedIcon_;
    loadedIcon_ = icon;
    SysTrayIconFromHandle(icon);
    if (previous != 0)
        tray_.releaseIcon(previous);
    return true;
}

bool cSystray::SysTrayIconFromFile(const std::string& sFile) {
    return UseLoadedIcon(tray_.loadIconFile(sFile));
}

bool cSystray::SysTrayIconFromRes(const std::string& sResName) {
    return UseLoadedIcon(tray_.loadIconResource(sResName));
}

bool cSystray::SysTrayIconFromCompRes(const std::string& sResFile, int lIconIndex) {
    return UseLoadedIcon(tray_.extractIcon(sResFile, lIconIndex));
}

} // namespace qs::shell
