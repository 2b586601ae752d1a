#pragma once

#include "../tray.h"
#include "clock_fake.h"
#include "files_fake.h"
#include "transcript.h"
#include "window_procedures_fake.h"

#include <map>
#include <optional>

namespace qs::fake {

// The notification area as transcript lines: "tray add size=504 flags=7 icon=disabled tip=..." and
// "tray timer on 1500". A script plays the shell: it sends the icon's notifications and tells the
// windows that the taskbar was made anew.
class FakeTray : public platform::Tray {
public:
    FakeTray(Transcript& t, FakeClock& clock, FakeFiles& files, FakeWindowProcedures& windows)
        : transcript_(t), clock_(clock), files_(files), windows_(windows) {}

    // The shell library's major version; nullopt: its version cannot be read. 6 unless told.
    void setShellVersion(std::optional<int> major) { shellMajor_ = major; }
    // The shell sends a notification code about the icon to its window; false when no icon is in
    // the notification area.
    bool notify(unsigned code);
    // The taskbar was made anew: the icons are gone, and every window hears "TaskbarCreated".
    void taskbarCreated();

    bool available() override { return available_; }
    std::optional<int> shellMajorVersion() override { return shellMajor_; }
    // A desktop without a notification area: requests reach nobody and print nothing.
    void setAvailable(bool available) { available_ = available; }
    // The hook on the next tray window fails with "access denied" (5).
    void failNextHook() { failNextHook_ = true; }

    platform::WindowHandle createMessageWindow() override;
    void destroyWindow(platform::WindowHandle window) override { windows_.destroyWindow(window); }
    unsigned registerWindowMessage(const std::string& name) override;
    void notifyIcon(platform::NotifyRequest request, const platform::NotifyIconData& data) override;
    void setTimer(platform::WindowHandle window, std::uintptr_t id, unsigned milliseconds,
                  platform::CallbackAddress procedure) override;
    void killTimer(platform::WindowHandle window, std::uintptr_t id) override;
    void setForeground(platform::WindowHandle window) override;
    platform::IconHandle programIcon(const std::string& name) override;
    platform::IconHandle loadIconFile(const std::string& file) override;
    platform::IconHandle loadIconResource(const std::string& name) override;
    platform::IconHandle extractIcon(const std::string& file, int index) override;
    void releaseIcon(platform::IconHandle icon) override { icons_.erase(icon); }

private:
    platform::IconHandle newIcon(const std::string& text);
    std::string iconText(platform::IconHandle icon) const;

    Transcript& transcript_;
    FakeClock& clock_;
    FakeFiles& files_;
    FakeWindowProcedures& windows_;
    std::optional<int> shellMajor_ = 6;
    bool failNextHook_ = false;
    bool available_ = true;
    std::map<std::string, unsigned> messages_;
    // The icon the shell shows: its window, identifier and callback message.
    std::optional<platform::NotifyIconData> icon_;
    std::map<std::pair<platform::WindowHandle, std::uintptr_t>, int> timers_;
    std::map<platform::IconHandle, std::string> icons_; // as the transcript names them
    platform::IconHandle nextIcon_ = 0x3000;
};

} // namespace qs::fake
