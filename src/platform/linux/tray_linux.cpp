#include "tray_linux.h"

#include "../callback_table.h"
#include "event_hook_qt.h"
#include "icons_qt.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <chrono>

namespace qs::linuxos {

namespace {

constexpr unsigned kMouseMove = 0x200;
constexpr unsigned kLeftDown = 0x201, kLeftUp = 0x202, kLeftDoubleClick = 0x203;
constexpr unsigned kRightDown = 0x204, kRightUp = 0x205;
constexpr unsigned kMiddleDown = 0x207, kMiddleUp = 0x208;
constexpr unsigned kTimerMessage = 0x113;
// How often the tooltip is asked for where the desktop does not say that the pointer is over
// the icon.
constexpr int kPointerRefreshMs = 1000;

QSystemTrayIcon::MessageIcon messageIcon(std::uint32_t infoFlags) {
    switch (infoFlags & 0xF) {
    case 1:
        return QSystemTrayIcon::Information;
    case 2:
        return QSystemTrayIcon::Warning;
    case 3:
        return QSystemTrayIcon::Critical;
    default:
        return QSystemTrayIcon::NoIcon;
    }
}

// Milliseconds since the system started, as a Windows timer procedure gets them.
std::uint32_t tickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

QIcon imageFile(const std::string& file) {
    QIcon picture(QString::fromStdString(file));
    return picture.availableSizes().isEmpty() ? QIcon() : picture;
}

} // namespace

LinuxTray::LinuxTray(platform::MessageWindows& windows) : windows_(windows), context_(std::make_unique<QObject>()) {}

LinuxTray::~LinuxTray() = default;

bool LinuxTray::available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<int> LinuxTray::shellMajorVersion() {
    return QSystemTrayIcon::supportsMessages() ? 6 : 4;
}

void LinuxTray::destroyWindow(platform::WindowHandle window) {
    windows_.destroyWindow(window);
    // As with a Windows window, its timers and icons go with it.
    for (auto it = timers_.begin(); it != timers_.end();)
        it = it->first.first == window ? (it->second->deleteLater(), timers_.erase(it)) : std::next(it);
    for (auto it = icons_.begin(); it != icons_.end();)
        it = it->first.first == window ? (drop(it->second), icons_.erase(it)) : std::next(it);
}

unsigned LinuxTray::registerWindowMessage(const std::string& name) {
    // Registered numbers lie from 0xC000 on, as on Windows.
    return messages_.try_emplace(name, 0xC000 + static_cast<unsigned>(messages_.size())).first->second;
}

void LinuxTray::notifyIcon(platform::NotifyRequest request, const platform::NotifyIconData& data) {
    const Key key{data.hWnd, data.uID};
    const auto it = icons_.find(key);
    // As the shell does, a second add and a change or removal of an unknown icon are refused.
    switch (request) {
    case platform::kNotifyAdd:
        if (it == icons_.end())
            add(key, data);
        break;
    case platform::kNotifyModify:
        if (it != icons_.end())
            update(it->second, key, data);
        break;
    case platform::kNotifyDelete:
        if (it != icons_.end()) {
            drop(it->second);
            icons_.erase(it);
        }
        break;
    }
}

void LinuxTray::add(const Key& key, const platform::NotifyIconData& data) {
    auto* qt = new QSystemTrayIcon(context_.get());
    Icon& icon = icons_[key];
    icon.qt = qt;
    QObject::connect(qt, &QSystemTrayIcon::activated, qt,
                     [this, key](QSystemTrayIcon::ActivationReason reason) { clicked(key, reason); });
    QObject::connect(qt, &QSystemTrayIcon::messageClicked, qt, [this, key] {
        if (const auto it = icons_.find(key); it != icons_.end())
            it->second.balloonUp = false;
        notifyLater(key, platform::kBalloonClick);
    });
    watchPointer(*qt, key);
    update(icon, key, data);
    qt->show();
}

void LinuxTray::drop(const Icon& icon) {
    QObject::disconnect(icon.qt, &QSystemTrayIcon::activated, nullptr, nullptr);
    QObject::disconnect(icon.qt, &QSystemTrayIcon::messageClicked, nullptr, nullptr);
    // The request may come from inside one of the icon's own event handlers (the pointer's), which
    // must not see it go; a posted call runs in whichever loop comes next, a nested one too.
    QMetaObject::invokeMethod(
        context_.get(), [qt = icon.qt] { delete qt; }, Qt::QueuedConnection);
}

void LinuxTray::update(Icon& icon, const Key& key, const platform::NotifyIconData& data) {
    if (data.uFlags & platform::kNotifyMessage)
        icon.callbackMessage = data.uCallbackMessage;
    if (data.uFlags & platform::kNotifyIcon)
        icon.qt->setIcon(picture(data.hIcon));
    // Only a changed tooltip goes out: the StatusNotifierItem path announces every one on D-Bus.
    if (const QString tip = QString::fromStdString(data.szTip);
        data.uFlags & platform::kNotifyTip && icon.qt->toolTip() != tip)
        icon.qt->setToolTip(tip);
    if (!(data.uFlags & platform::kNotifyInfo))
        return;
    if (!data.szInfo.empty()) {
        // Qt has no silent balloon: the no-sound bit (0x10) is left to the desktop.
        icon.qt->showMessage(QString::fromStdString(data.szInfoTitle), QString::fromStdString(data.szInfo),
                             messageIcon(data.dwInfoFlags));
        icon.balloonUp = true;
        notifyLater(key, platform::kBalloonShown);
    } else if (icon.balloonUp) {
        // Qt has no call that takes a message back. Its own balloon beside an XEmbed icon goes
        // with an empty one; a desktop notification stays until it times out or is closed.
        if (!onStatusNotifierPath())
            icon.qt->showMessage({}, {});
        icon.balloonUp = false;
        notifyLater(key, platform::kBalloonHidden);
    }
}

void LinuxTray::watchPointer(QSystemTrayIcon& qt, const Key& key) {
    if (onStatusNotifierPath()) {
        // A StatusNotifierItem host never says that the pointer is over the icon: it reads the
        // tooltip whenever it likes. Asked for once a second, the tooltip it reads is fresh.
        auto* refresh = new QTimer(&qt);
        QObject::connect(refresh, &QTimer::timeout, refresh, [this, &qt, key] { pointerOver(qt, key); });
        refresh->start(kPointerRefreshMs);
        return;
    }
    // Beside an XEmbed icon Qt hands the tooltip request of its icon widget to the icon before it
    // shows the tooltip: told now, the program sets the tooltip that appears.
    qt.installEventFilter(new EventHook(&qt, [this, &qt, key](QObject*, QEvent* event) {
        if (event->type() == QEvent::ToolTip)
            pointerOver(qt, key);
        return false;
    }));
}

void LinuxTray::pointerOver(const QSystemTrayIcon& qt, const Key& key) {
    if (trayIcon(key.first, key.second) == &qt)
        notify(key, kMouseMove);
}

void LinuxTray::clicked(const Key& key, int reason) {
    // Qt reports a click as the button goes down and a double click as the second press.
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        notifyLater(key, kLeftDown);
        notifyLater(key, kLeftUp);
        break;
    case QSystemTrayIcon::Context:
        notifyLater(key, kRightDown);
        notifyLater(key, kRightUp);
        break;
    case QSystemTrayIcon::MiddleClick:
        notifyLater(key, kMiddleDown);
        notifyLater(key, kMiddleUp);
        break;
    case QSystemTrayIcon::DoubleClick:
        notifyLater(key, kLeftDoubleClick);
        break;
    default:
        break;
    }
}

void LinuxTray::notify(const Key& key, unsigned code) {
    const auto it = icons_.find(key);
    if (it == icons_.end())
        return;
    windows_.send(key.first, {it->second.callbackMessage, key.second, static_cast<std::intptr_t>(code)});
}

void LinuxTray::notifyLater(const Key& key, unsigned code) {
    // Qt's signals come from inside its event handlers and the program's request's, which must not
    // see the icon go under them; a click may end the program, and a balloon is announced after
    // the request that showed it, as the shell does.
    QMetaObject::invokeMethod(
        context_.get(), [this, key, code] { notify(key, code); }, Qt::QueuedConnection);
}

bool LinuxTray::onStatusNotifierPath() {
    // Qt's own choice, made once: the D-Bus protocol when a StatusNotifierItem host is registered.
    if (!statusNotifier_) {
        const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
        QDBusConnection bus = QDBusConnection::sessionBus();
        statusNotifier_ = bus.isConnected() && bus.interface()->isServiceRegistered(watcher).value() &&
                          QDBusInterface(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus)
                              .property("IsStatusNotifierHostRegistered")
                              .toBool();
    }
    return *statusNotifier_;
}

void LinuxTray::setTimer(platform::WindowHandle window, std::uintptr_t id, unsigned milliseconds,
                         platform::CallbackAddress procedure) {
    killTimer(window, id);
    auto* timer = new QTimer(context_.get());
    QObject::connect(timer, &QTimer::timeout, timer, [window, id, procedure] {
        platform::CallbackTable::call(procedure, window, kTimerMessage, id, tickCount());
    });
    timer->start(static_cast<int>(milliseconds));
    timers_[{window, id}] = timer;
}

void LinuxTray::killTimer(platform::WindowHandle window, std::uintptr_t id) {
    if (const auto it = timers_.find({window, id}); it != timers_.end()) {
        // Later: the procedure may stop the timer that is calling it.
        it->second->stop();
        it->second->deleteLater();
        timers_.erase(it);
    }
}

platform::IconHandle LinuxTray::keep(const QIcon& picture) {
    if (picture.isNull())
        return 0;
    pictures_[++lastPicture_] = picture;
    return lastPicture_;
}

QIcon LinuxTray::picture(platform::IconHandle icon) const {
    const auto it = pictures_.find(icon);
    return it == pictures_.end() ? QIcon() : it->second;
}

platform::IconHandle LinuxTray::programIcon(const std::string& name) {
    if (const auto it = programIcons_.find(name); it != programIcons_.end())
        return it->second;
    const platform::IconHandle icon = keep(linuxos::programIcon(name));
    if (icon != 0)
        programIcons_[name] = icon;
    return icon;
}

platform::IconHandle LinuxTray::loadIconFile(const std::string& file) {
    const QIcon picture = imageFile(file);
    return picture.isNull() ? 0 : keep(QIcon(picture.pixmap(16)));
}

platform::IconHandle LinuxTray::loadIconResource(const std::string& name) {
    return keep(linuxos::programIcon(name));
}

platform::IconHandle LinuxTray::extractIcon(const std::string& file, int index) {
    // An image file holds one icon.
    return index == 0 ? keep(imageFile(file)) : 0;
}

void LinuxTray::releaseIcon(platform::IconHandle icon) {
    // The program's own icons stay until the end.
    for (const auto& [name, kept] : programIcons_)
        if (kept == icon)
            return;
    pictures_.erase(icon);
}

QSystemTrayIcon* LinuxTray::trayIcon(platform::WindowHandle window, std::uint32_t id) const {
    const auto it = icons_.find({window, id});
    return it == icons_.end() ? nullptr : it->second.qt;
}

} // namespace qs::linuxos
