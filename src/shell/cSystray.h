#pragma once

#include "../platform/error_log.h"
#include "../platform/tray.h"
#include "../platform/window_procedures.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace qs::shell {

// The program's icon in the notification area: its icon and tooltip, balloon tips, and the shell's
// notifications about it turned into events. The shell talks to a hidden window of the class's own,
// whose messages reach the class through a hook. Everything runs on the interface thread; an event
// handler may call back into the class.
class cSystray {
public:
    // Receives every notification as (tray window, notification code, extra parameter, 0).
    using ForwardProc = std::function<void(platform::WindowHandle, unsigned, std::intptr_t, std::intptr_t)>;

    cSystray(platform::Tray& tray, platform::WindowProcedures& procedures, platform::ErrorLog& errors);
    // Removes the icon, releases the icon it loaded, undoes the hook before the window goes.
    ~cSystray();
    cSystray(const cSystray&) = delete;
    cSystray& operator=(const cSystray&) = delete;

    void SetProc(ForwardProc lProc) { forward_ = std::move(lProc); }
    platform::WindowHandle lhWnd() const { return window_; }
    void ExtraParam(std::intptr_t lVal) { extra_ = lVal; }
    std::intptr_t ExtraParam() const { return extra_; }

    // Adds or updates (true) or removes (false) the icon.
    void SysTrayShow(bool bShow = true);
    // Shows or hides the balloon; false, doing nothing, when the shell cannot show balloons.
    // lTimeout: milliseconds after the shell reports it shown until the class hides it, -1 never.
    bool BalloonShow(bool bShow = true, int lTimeout = -1, bool bNoSound = false);
    bool IsBalloonCapable() const { return size_ > kOldRecordSize; }
    // Call right before opening a pop-up menu from the icon, so it closes when clicked away from.
    void BeforePopup();

    void SysTrayIconFromHandle(platform::IconHandle lIcon);
    bool SysTrayIconFromFile(const std::string& sFile);
    bool SysTrayIconFromRes(const std::string& sResName);
    bool SysTrayIconFromCompRes(const std::string& sResFile, int lIconIndex);

    const std::string& SysTrayToolTip() const { return toolTip_; }
    void SysTrayToolTip(const std::string& New_ToolTip);
    std::uint32_t BalloonIcon() const { return balloonIcon_; }
    void BalloonIcon(std::uint32_t Icon);
    const std::string& BalloonTitle() const { return balloonTitle_; }
    void BalloonTitle(const std::string& sTitle);
    const std::string& BalloonText() const { return balloonText_; }
    void BalloonText(const std::string& sText);

    // True while the class is handing on a notification or its timer: the object must then not
    // be destroyed.
    bool Notifying() const { return notifying_ > 0; }

    // Events. Button: 1 left, 2 right, 4 middle.
    std::function<void()> MouseMove;
    std::function<void(std::int16_t& Button)> MouseDown;
    std::function<void(std::int16_t& Button)> MouseUp;
    std::function<void(std::int16_t& Button)> MouseDblClick;
    std::function<void()> BalloonClose; // timed out or closed
    std::function<void()> BalloonClick;
    std::function<void()> BalloonShown;
    std::function<void()> BalloonHide;

private:
    static constexpr std::uint32_t kOldRecordSize = 88; // shells before version 5: no balloons
    static constexpr unsigned kCallbackMessage = 0x200; // the mouse-move message carries every notification
    // The record size the shell library's major version reads: 0 when unknown, else 88, 488 or 504.
    static std::uint32_t RecordSize(std::optional<int> shellMajor);

    void Send(platform::NotifyRequest request) { tray_.notifyIcon(request, nid_); }
    void KillBalloonTimer() { tray_.killTimer(window_, timerId_); }
    void ReleaseLoadedIcon();
    bool UseLoadedIcon(platform::IconHandle icon);
    void OnMessage(platform::HookedMessage& m);
    void OnNotification(unsigned code);
    std::intptr_t BalloonTimerProc();
    // A failing event handler is logged and goes no further: it must not reach the platform.
    void Guard(const char* event, const std::function<void()>& call);
    void Raise(const char* event, std::function<void()> handler);
    void RaiseButton(const char* event, std::function<void(std::int16_t&)> handler, std::int16_t button);

    platform::Tray& tray_;
    platform::ErrorLog& errors_;
    std::unique_ptr<platform::WindowHooks> hooks_;
    platform::WindowHandle window_ = 0;
    platform::NotifyIconData nid_; // kept whole: every request sends the fields as last set
    std::string toolTip_;
    platform::IconHandle icon_ = 0; // shown, not owned
    std::string balloonTitle_;
    std::string balloonText_;
    std::uint32_t balloonIcon_ = 0;
    bool shown_ = false;
    unsigned taskbarCreated_ = 0;
    platform::IconHandle loadedIcon_ = 0; // owned
    std::uint32_t size_ = 0;
    int balloonTimeout_ = -1;
    ForwardProc forward_;
    std::intptr_t extra_ = 0;
    std::uint32_t id_;
    std::uintptr_t timerId_;
    int notifying_ = 0;
};

} // namespace qs::shell
