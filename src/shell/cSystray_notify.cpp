// The shell's notifications about the tray icon, and the timer that hides a balloon.
#include "cSystray.h"

namespace qs::shell {

using namespace platform;

namespace {

constexpr unsigned kMouseMove = 0x200;
constexpr unsigned kFirstButtonMessage = 0x201; // left down, up, double-click; then right, middle
constexpr unsigned kLastButtonMessage = 0x209;

// Counts the notifications under way, so the object is known to be in use.
class NotificationScope {
public:
    explicit NotificationScope(int& depth) : depth_(depth) { ++depth_; }
    ~NotificationScope() { --depth_; }
    NotificationScope(const NotificationScope&) = delete;
    NotificationScope& operator=(const NotificationScope&) = delete;

private:
    int& depth_;
};

} // namespace

void cSystray::Guard(const char* event, const std::function<void()>& call) {
    try {
        call();
    } catch (...) {
        errors_.error(std::string("cSystray.") + event, currentErrorText());
    }
}

// The handler is a copy: it may replace itself while it runs.
void cSystray::Raise(const char* event, std::function<void()> handler) {
    if (handler)
        Guard(event, handler);
}

void cSystray::RaiseButton(const char* event, std::function<void(std::int16_t&)> handler, std::int16_t button) {
    if (handler)
        Guard(event, [&] { handler(button); });
}

void cSystray::OnMessage(HookedMessage& m) {
    const NotificationScope scope(notifying_);
    if (m.message.message == kCallbackMessage && m.window == window_)
        OnNotification(static_cast<unsigned>(m.message.lParam));
    if (m.message.message == taskbarCreated_ && shown_) {
        // The new taskbar does not know the icon: add it again with what it showed.
        shown_ = false;
        SysTrayShow(true);
    }
}

void cSystray::OnNotification(unsigned code) {
    if (code == kBalloonHidden || code == kBalloonTimeout || code == kBalloonClick)
        KillBalloonTimer();
    if (code == kBalloonShown) {
        if (balloonTimeout_ != -1) {
            const CallbackAddress proc = hooks_->callbackAddress(
                [this](WindowHandle, unsigned, std::uintptr_t, std::uint32_t) { return BalloonTimerProc(); });
            tray_.setTimer(window_, timerId_, static_cast<unsigned>(balloonTimeout_), proc);
        }
        Raise("BalloonShown", BalloonShown);
    } else if (code == kBalloonHidden) {
        Raise("BalloonHide", BalloonHide);
    } else if (code == kBalloonTimeout) {
        Raise("BalloonClose", BalloonClose);
    } else if (code == kBalloonClick) {
        Raise("BalloonClick", BalloonClick);
    } else if (code == kMouseMove) {
        Raise("MouseMove", MouseMove);
    } else if (code >= kFirstButtonMessage && code <= kLastButtonMessage) {
        static constexpr std::int16_t kButtons[] = {1, 2, 4};
        const unsigned index = code - kFirstButtonMessage;
        const std::int16_t button = kButtons[index / 3];
        if (index % 3 == 0)
            RaiseButton("MouseDown", MouseDown, button);
        else if (index % 3 == 1)
            RaiseButton("MouseUp", MouseUp, button);
        else
            RaiseButton("MouseDblClick", MouseDblClick, button);
    }
    if (const ForwardProc forward = forward_)
        Guard("SetProc", [&] { forward(window_, code, extra_, 0); });
}

std::intptr_t cSystray::BalloonTimerProc() {
    const NotificationScope scope(notifying_);
    BalloonShow(false, -1, false);
    return 0;
}

} // namespace qs::shell
