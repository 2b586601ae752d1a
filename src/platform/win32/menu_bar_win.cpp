#include "menu_bar_win.h"

#include <cctype>

namespace qs::win32 {

namespace {

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The key of a shortcut's last part: a letter, a digit, F1 to F24 or a named key; 0 for none.
WORD virtualKey(const std::string& key) {
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0])))
        return static_cast<WORD>(key[0]);
    if (key.size() >= 2 && key[0] == 'F') {
        int n = 0;
        for (size_t i = 1; i < key.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(key[i])))
                return 0;
            n = n * 10 + (key[i] - '0');
        }
        return n >= 1 && n <= 24 ? static_cast<WORD>(VK_F1 + n - 1) : 0;
    }
    static const std::map<std::string, WORD> named{{"DEL", VK_DELETE},     {"DELETE", VK_DELETE}, {"INS", VK_INSERT},
                                                   {"INSERT", VK_INSERT},  {"HOME", VK_HOME},     {"END", VK_END},
                                                   {"BACKSPACE", VK_BACK}, {"TAB", VK_TAB}};
    const auto it = named.find(key);
    return it == named.end() ? 0 : it->second;
}

} // namespace

bool parseShortcut(const std::string& text, ACCEL& accel) {
    accel = ACCEL{};
    accel.fVirt = FVIRTKEY;
    std::string rest = upper(text);
    for (size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size();) {
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "CTRL")
            accel.fVirt |= FCONTROL;
        else if (modifier == "SHIFT")
            accel.fVirt |= FSHIFT;
        else if (modifier == "ALT")
            accel.fVirt |= FALT;
        else
            return false;
        rest = rest.substr(plus + 1);
    }
    accel.key = virtualKey(rest);
    return accel.key != 0;
}

MenuBarWin::MenuBarWin(const std::vector<std::unique_ptr<forms::MenuItem>>& menus, HWND window)
    : menus_(menus), window_(window), bar_(CreateMenu()) {
    registerItems(menus);
    std::vector<ACCEL> table;
    for (const auto& [item, id] : commands_) {
        ACCEL accel;
        if (!item->shortcut().empty() && parseShortcut(item->shortcut(), accel)) {
            accel.cmd = static_cast<WORD>(id);
            table.push_back(accel);
        }
    }
    if (!table.empty())
        accelerators_ = CreateAcceleratorTableA(table.data(), static_cast<int>(table.size()));
    for (const auto& [item, popup] : popups_)
        fill(popup, item->children());
    fillBar();
}

MenuBarWin::~MenuBarWin() {
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
    if (IsWindow(window_) && GetMenu(window_) == bar_)
        SetMenu(window_, nullptr);
    // Detached first, so destroying a menu never destroys a pop-up a second time.
    while (GetMenuItemCount(bar_) > 0)
        RemoveMenu(bar_, 0, MF_BYPOSITION);
    for (auto& [item, popup] : popups_)
        while (GetMenuItemCount(popup) > 0)
            RemoveMenu(popup, 0, MF_BYPOSITION);
    for (auto& [item, popup] : popups_)
        DestroyMenu(popup);
    DestroyMenu(bar_);
}

void MenuBarWin::registerItems(const std::vector<std::unique_ptr<forms::MenuItem>>& items) {
    for (const auto& item : items) {
        const int id = kFirstCommand + static_cast<int>(commands_.size());
        commands_[item.get()] = id;
        items_[id] = item.get();
        if (!item->children().empty()) {
            const HMENU popup = CreatePopupMenu();
            popups_[item.get()] = popup;
            popupItems_[popup] = item.get();
            registerItems(item->children());
        }
    }
}

void MenuBarWin::fill(HMENU menu, const std::vector<std::unique_ptr<forms::MenuItem>>& items) {
    while (GetMenuItemCount(menu) > 0)
        RemoveMenu(menu, 0, MF_BYPOSITION);
    for (const auto& item : items) {
        if (!item->visible())
            continue;
        if (item->isSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT state = item->enabled() ? MF_ENABLED : MF_GRAYED;
        std::string text = item->caption();
        if (const HMENU popup = popupOf(*item)) {
            AppendMenuA(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(popup), text.c_str());
        } else {
            if (!item->shortcut().empty())
                text += "\t" + item->shortcut();
            AppendMenuA(menu, MF_STRING | state, static_cast<UINT_PTR>(commands_.at(item.get())), text.c_str());
        }
    }
}

void MenuBarWin::fillBar() {
    fill(bar_, menus_);
    // A bar with nothing visible is no bar at all.
    const HMENU wanted = GetMenuItemCount(bar_) > 0 ? bar_ : nullptr;
    if (GetMenu(window_) != wanted)
        SetMenu(window_, wanted);
    else
        DrawMenuBar(window_);
}

void MenuBarWin::changed(const forms::MenuItem& item) {
    const forms::MenuItem* parent = item.parent();
    if (!parent) {
        fillBar();
        return;
    }
    if (const HMENU popup = popupOf(*parent))
        fill(popup, parent->children());
    if (const HMENU own = popupOf(item))
        fill(own, item.children());
}

forms::MenuItem* MenuBarWin::itemOfCommand(int id) const {
    const auto it = items_.find(id);
    return it == items_.end() ? nullptr : it->second;
}

forms::MenuItem* MenuBarWin::itemOfPopup(HMENU menu) const {
    const auto it = popupItems_.find(menu);
    return it == popupItems_.end() ? nullptr : it->second;
}

int MenuBarWin::commandOf(const forms::MenuItem& item) const {
    const auto it = commands_.find(&item);
    return it == commands_.end() ? 0 : it->second;
}

HMENU MenuBarWin::popupOf(const forms::MenuItem& item) const {
    const auto it = popups_.find(&item);
    return it == popups_.end() ? nullptr : it->second;
}

} // namespace qs::win32
