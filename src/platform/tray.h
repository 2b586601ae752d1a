#pragma once

#include "window_procedures.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qs::platform {

// An icon as the platform knows it; 0 for none.
using IconHandle = std::uintptr_t;

// Requests to the notification area.
enum NotifyRequest { kNotifyAdd = 0, kNotifyModify = 1, kNotifyDelete = 2 };

// Which fields of a NotifyIconData a request carries.
enum NotifyFlags : std::uint32_t { kNotifyMessage = 1, kNotifyIcon = 2, kNotifyTip = 4, kNotifyInfo = 16 };

// The notification codes the notification area sends to an icon's window with its callback
// message, besides the mouse messages 0x200 to 0x209.
enum NotifyCode : unsigned {
    kBalloonShown = 0x402,
    kBalloonHidden = 0x403,
    kBalloonTimeout = 0x404,
    kBalloonClick = 0x405,
};

// The record of one notification-area request, field by field as the shell reads it. The texts
// arrive cut to their fields: at most 127, 255 and 63 characters.
struct NotifyIconData {
    std::uint32_t cbSize = 0; // 0, 88, 488 or 504: how much of the record the shell reads
    WindowHandle hWnd = 0;    // the window that gets the icon's notifications
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    std::string szTip;
    std::string szInfo;
    std::uint32_t uTimeoutOrVersion = 0;
    std::string szInfoTitle;
    std::uint32_t dwInfoFlags = 0;
};

// The desktop's notification area and what an icon in it needs: a hidden window that gets the
// icon's notifications (its messages go through WindowHooks), window timers and the program's
// icons. Everything runs on the interface thread.
class Tray {
public:
    virtual ~Tray() = default;

    // False on a desktop without a notification area: a window hidden "to the tray" could not be
    // reached again. Windows always has one.
    virtual bool available() { return true; }

    // The major version of the shell library, which says how much of the record it reads; nullopt
    // when its version information cannot be read.
    virtual std::optional<int> shellMajorVersion() = 0;
    // A window that is never shown; 0 when none could be made.
    virtual WindowHandle createMessageWindow() = 0;
    virtual void destroyWindow(WindowHandle window) = 0;
    // The number of a message known to every program by its name ("TaskbarCreated").
    virtual unsigned registerWindowMessage(const std::string& name) = 0;
    // Sends a request; the shell's answer is of no use to the program and is not given.
    virtual void notifyIcon(NotifyRequest request, const NotifyIconData& data) = 0;
    // Calls procedure every milliseconds until killTimer; a second call with the same window
    // and identifier restarts the timer.
    virtual void setTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds, CallbackAddress procedure) = 0;
    virtual void killTimer(WindowHandle window, std::uintptr_t id) = 0;
    // Brings the window to the foreground, so that a pop-up menu opened next closes when the user
    // clicks elsewhere.
    virtual void setForeground(WindowHandle window) = 0;

    // One of the program's own icons ("main", "disabled") at the notification area's size, kept
    // by the platform until the program ends.
    virtual IconHandle programIcon(const std::string& name) = 0;
    // An icon file loaded at 16 x 16 pixels; 0 when it cannot be.
    virtual IconHandle loadIconFile(const std::string& file) = 0;
    // An icon resource of the program by its name; 0 when there is none.
    virtual IconHandle loadIconResource(const std::string& name) = 0;
    // The icon at index in an icon library or program file; 0 when there is none.
    virtual IconHandle extractIcon(const std::string& file, int index) = 0;
    // Frees an icon from one of the three above.
    virtual void releaseIcon(IconHandle icon) = 0;
};

} // namespace qs::platform
