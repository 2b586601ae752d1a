#pragma once

#include "../tray.h"

namespace qs::win32 {

// The taskbar's notification area through Shell_NotifyIconA, a hidden STATIC window for its
// notifications, window timers, and icons at the small-icon size.
class Win32Tray : public platform::Tray {
public:
    std::optional<int> shellMajorVersion() override;
    platform::WindowHandle createMessageWindow() override;
    void destroyWindow(platform::WindowHandle window) override;
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
    void releaseIcon(platform::IconHandle icon) override;

    // Whether the shell took the last request; the program has no use for it.
    bool lastRequestTaken() const { return lastRequestTaken_; }

private:
    bool lastRequestTaken_ = false;
};

} // namespace qs::win32
