#pragma once

#include "../../forms/menu_item.h"

#include <map>
#include <memory>
#include <vector>
#include <windows.h>

namespace qs::win32 {

// A form's menus as native menus: the bar, a pop-up per item with children (hidden top menus
// included, for the tray), and an accelerator table for the shortcuts. Hidden items are left
// out of their menu; a changed item has its menu filled again, so even an open menu is right.
class MenuBarWin {
public:
    MenuBarWin(const std::vector<std::unique_ptr<forms::MenuItem>>& menus, HWND window);
    ~MenuBarWin();
    MenuBarWin(const MenuBarWin&) = delete;
    MenuBarWin& operator=(const MenuBarWin&) = delete;

    void changed(const forms::MenuItem& item);
    // The item a WM_COMMAND or an accelerator names, nullptr for none.
    forms::MenuItem* itemOfCommand(int id) const;
    // The item whose pop-up is this menu, nullptr for none.
    forms::MenuItem* itemOfPopup(HMENU menu) const;
    HMENU popupOf(const forms::MenuItem& item) const;
    // The WM_COMMAND id of an item, 0 for none.
    int commandOf(const forms::MenuItem& item) const;
    HACCEL accelerators() const { return accelerators_; }

    // Command ids of menu items start here, well above the controls' ids.
    static constexpr int kFirstCommand = 0x8000;

private:
    void registerItems(const std::vector<std::unique_ptr<forms::MenuItem>>& items);
    void fill(HMENU menu, const std::vector<std::unique_ptr<forms::MenuItem>>& items);
    void fillBar();

    const std::vector<std::unique_ptr<forms::MenuItem>>& menus_;
    HWND window_;
    HMENU bar_;
    HACCEL accelerators_ = nullptr;
    std::map<const forms::MenuItem*, int> commands_;
    std::map<int, forms::MenuItem*> items_;
    std::map<const forms::MenuItem*, HMENU> popups_;
    std::map<HMENU, forms::MenuItem*> popupItems_;
};

// "Ctrl+A", "Shift+F2", "Del" as an accelerator; false when the text names no key.
bool parseShortcut(const std::string& text, ACCEL& accel);

} // namespace qs::win32
