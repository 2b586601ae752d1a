#include "tray_fake.h"

#include "../callback_table.h"

#include <algorithm>

namespace qs::fake {

namespace {

constexpr unsigned kTimerMessage = 0x113;

const char* requestName(platform::NotifyRequest request) {
    switch (request) {
    case platform::kNotifyAdd:
        return "add";
    case platform::kNotifyModify:
        return "modify";
    case platform::kNotifyDelete:
        return "delete";
    }
    return "?";
}

// A text field as the shell reads it: up to its NUL, and a record of another size than 488 or 504
// is read as the first shells' record, whose tooltip holds 63 characters.
std::string shellText(const std::string& field, std::uint32_t size, bool tip) {
    std::string text = field.substr(0, field.find('\0'));
    if (tip && size != 488 && size != 504)
        text.resize(std::min<size_t>(text.size(), 63));
    return text;
}

} // namespace

platform::WindowHandle FakeTray::createMessageWindow() {
    const platform::WindowHandle window = windows_.createWindow();
    if (failNextHook_)
        windows_.failHook(window, 5);
    failNextHook_ = false;
    return window;
}

unsigned FakeTray::registerWindowMessage(const std::string& name) {
    // Registered numbers lie from 0xC000 on, the same for every program that asks.
    auto [it, added] = messages_.try_emplace(name, 0xC000 + static_cast<unsigned>(messages_.size()) * 0x10 + 0x0F);
    return it->second;
}

void FakeTray::notifyIcon(platform::NotifyRequest request, const platform::NotifyIconData& data) {
    if (!available_)
        return;
    std::string line = std::string("tray ") + requestName(request) + " size=" + std::to_string(data.cbSize) +
                       " flags=" + std::to_string(data.uFlags);
    // A delete reads no field.
    const std::uint32_t fields = request == platform::kNotifyDelete ? 0 : data.uFlags;
    if (fields & platform::kNotifyIcon)
        line += " icon=" + iconText(data.hIcon);
    if (fields & platform::kNotifyTip)
        line += " tip=" + quote(shellText(data.szTip, data.cbSize, true));
    if (fields & platform::kNotifyInfo)
        line += " info=" + quote(shellText(data.szInfo, data.cbSize, false)) +
                " title=" + quote(shellText(data.szInfoTitle, data.cbSize, false)) +
                " infoflags=" + std::to_string(data.dwInfoFlags);
    transcript_.line(line);
    // The shell keeps the icon between an add and a delete; it refuses a second add and a modify
    // or delete of an icon it does not have.
    const bool same = icon_ && icon_->hWnd == data.hWnd && icon_->uID == data.uID;
    if (request == platform::kNotifyAdd && !icon_)
        icon_ = data;
    else if (request == platform::kNotifyModify && same && (data.uFlags & platform::kNotifyMessage))
        icon_->uCallbackMessage = data.uCallbackMessage;
    else if (request == platform::kNotifyDelete && same)
        icon_.reset();
}

bool FakeTray::notify(unsigned code) {
    if (!icon_)
        return false;
    const platform::NotifyIconData icon = *icon_;
    windows_.send(icon.hWnd, {icon.uCallbackMessage, icon.uID, static_cast<std::intptr_t>(code)});
    return true;
}

void FakeTray::taskbarCreated() {
    icon_.reset();
    windows_.broadcast({registerWindowMessage("TaskbarCreated"), 0, 0});
}

void FakeTray::setTimer(platform::WindowHandle window, std::uintptr_t id, unsigned milliseconds,
                        platform::CallbackAddress procedure) {
    transcript_.line("tray timer on " + std::to_string(milliseconds));
    const auto key = std::make_pair(window, id);
    if (const auto it = timers_.find(key); it != timers_.end())
        clock_.stopTimer(it->second);
    timers_[key] = clock_.startTimer(static_cast<int>(milliseconds), [window, id, procedure] {
        platform::CallbackTable::call(procedure, window, kTimerMessage, id, 0);
    });
}

void FakeTray::killTimer(platform::WindowHandle window, std::uintptr_t id) {
    if (const auto it = timers_.find({window, id}); it != timers_.end()) {
        transcript_.line("tray timer off");
        clock_.stopTimer(it->second);
        timers_.erase(it);
    }
}

void FakeTray::setForeground(platform::WindowHandle) {
    transcript_.line("foreground tray");
}

platform::IconHandle FakeTray::newIcon(const std::string& text) {
    icons_[++nextIcon_] = text;
    return nextIcon_;
}

std::string FakeTray::iconText(platform::IconHandle icon) const {
    if (icon == 0)
        return "none";
    const auto it = icons_.find(icon);
    return it == icons_.end() ? "unknown" : it->second;
}

platform::IconHandle FakeTray::programIcon(const std::string& name) {
    for (const auto& [handle, text] : icons_)
        if (text == (name == "main" ? "active" : name))
            return handle;
    if (name != "main" && name != "disabled")
        return 0;
    return newIcon(name == "main" ? "active" : name);
}

platform::IconHandle FakeTray::loadIconFile(const std::string& file) {
    return files_.exists(file) ? newIcon(quote(file)) : 0;
}

platform::IconHandle FakeTray::loadIconResource(const std::string& name) {
    return name == "main" || name == "disabled" ? newIcon("resource:" + name) : 0;
}

platform::IconHandle FakeTray::extractIcon(const std::string& file, int index) {
    return files_.exists(file) && index == 0 ? newIcon(quote(file)) : 0;
}

} // namespace qs::fake
