#pragma once

#include "../message_windows.h"
#include "../tray.h"

#include <QIcon>
#include <QObject>
#include <map>
#include <memory>
#include <optional>

class QSystemTrayIcon;
class QTimer;

namespace qs::linuxos {

// The notification area through QSystemTrayIcon, which speaks both the StatusNotifierItem protocol
// and the XEmbed tray. What Qt tells about an icon (clicks, the pointer over it, a balloon shown
// or clicked) is sent to the icon's window as the Windows shell's notification codes, so that it
// reaches the program through the window's hooks. Needs a QApplication.
class LinuxTray : public platform::Tray {
public:
    explicit LinuxTray(platform::MessageWindows& windows);
    ~LinuxTray() override;
    LinuxTray(const LinuxTray&) = delete;
    LinuxTray& operator=(const LinuxTray&) = delete;

    // A desktop without a tray host (an XEmbed tray or a StatusNotifierItem watcher) has none.
    bool available() override;
    // 6 where the desktop shows balloons, else 4: the shell that has none.
    std::optional<int> shellMajorVersion() override;
    platform::WindowHandle createMessageWindow() override { return windows_.createWindow(); }
    void destroyWindow(platform::WindowHandle window) override;
    unsigned registerWindowMessage(const std::string& name) override;
    void notifyIcon(platform::NotifyRequest request, const platform::NotifyIconData& data) override;
    void setTimer(platform::WindowHandle window, std::uintptr_t id, unsigned milliseconds,
                  platform::CallbackAddress procedure) override;
    void killTimer(platform::WindowHandle window, std::uintptr_t id) override;
    // Nothing to do: a Qt pop-up closes on a click elsewhere by itself.
    void setForeground(platform::WindowHandle) override {}
    platform::IconHandle programIcon(const std::string& name) override;
    platform::IconHandle loadIconFile(const std::string& file) override;
    platform::IconHandle loadIconResource(const std::string& name) override;
    platform::IconHandle extractIcon(const std::string& file, int index) override;
    void releaseIcon(platform::IconHandle icon) override;

    // The Qt side of an icon in the notification area; nullptr when there is none.
    QSystemTrayIcon* trayIcon(platform::WindowHandle window, std::uint32_t id) const;
    // The picture behind an icon handle; a null icon for 0 or one released.
    QIcon picture(platform::IconHandle icon) const;

private:
    using Key = std::pair<platform::WindowHandle, std::uint32_t>;
    struct Icon {
        QSystemTrayIcon* qt; // a child of context_
        std::uint32_t callbackMessage = 0;
        bool balloonUp = false;
    };

    void add(const Key& key, const platform::NotifyIconData& data);
    void update(Icon& icon, const Key& key, const platform::NotifyIconData& data);
    // Takes the icon away as soon as the current call has returned.
    void drop(const Icon& icon);
    void watchPointer(QSystemTrayIcon& qt, const Key& key);
    // The pointer is over the icon: the program hears of it while the icon is still the key's.
    void pointerOver(const QSystemTrayIcon& qt, const Key& key);
    // Sends a notification code to the icon's window now, or once the current call has returned.
    void notify(const Key& key, unsigned code);
    void notifyLater(const Key& key, unsigned code);
    void clicked(const Key& key, int reason);
    bool onStatusNotifierPath();
    platform::IconHandle keep(const QIcon& picture);

    platform::MessageWindows& windows_;
    // Parent of the timers and target of the delayed notifications: none outlives the tray.
    std::unique_ptr<QObject> context_;
    std::map<Key, Icon> icons_;
    std::map<std::pair<platform::WindowHandle, std::uintptr_t>, QTimer*> timers_;
    std::map<std::string, unsigned> messages_;
    std::map<platform::IconHandle, QIcon> pictures_;
    std::map<std::string, platform::IconHandle> programIcons_;
    platform::IconHandle lastPicture_ = 0x3000;
    std::optional<bool> statusNotifier_;
};

} // namespace qs::linuxos
