// The renderer's pop-up menu under Wine: a hidden menu of a hidden window opened at the pointer,
// its default item bold, an item chosen with the keyboard while the menu's own loop runs.
#include "../../../src/forms/application.h"
#include "../../../src/forms/form.h"
#include "../../../src/platform/win32/clock_win.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "../recording_error_log.h"

#include <gtest/gtest.h>

namespace qs::win32 {
namespace {

// The keys a user presses once the menu is open: down to the second item (past the separator) and
// Enter. The menu's loop runs this timer; a menu still open after 5 s is closed, failing the test
// rather than hanging it.
struct MenuUser {
    HWND owner = nullptr;
    HMENU menu = nullptr;
    UINT defaultSeen = 0;
    int ticks = 0;
} user;

void CALLBACK pressKeys(HWND, UINT, UINT_PTR, DWORD) {
    if (user.ticks++ == 0) {
        user.defaultSeen = GetMenuDefaultItem(user.menu, FALSE, 0);
        for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
            PostMessageA(user.owner, WM_KEYDOWN, key, 0);
    } else if (user.ticks > 100) {
        EndMenu();
    }
}

TEST(PopupMenuWin, TheChosenItemIsClickedAfterThePopUpHasReturnedAndTheDefaultIsBold) {
    qs::test::RecordingErrorLog errors;
    Win32Clock clock{errors};
    RendererWin renderer;
    forms::Application app{clock, renderer, errors};
    forms::Form form{app, "frmTray"};
    forms::MenuItem& menu = form.addMenu("pMenu", "popMenu");
    forms::MenuItem& about = menu.add("pAbout", "Abou&t");
    menu.add("pSep", "-");
    forms::MenuItem& activate = menu.add("pActivate", "&Activate");
    forms::MenuItem& restore = menu.add("pRestore", "Restore");
    menu.setVisible(false);
    bool returned = false;
    std::vector<std::string> clicks;
    for (forms::MenuItem* item : {&about, &activate, &restore})
        item->Click = [&clicks, &returned, item] {
            clicks.push_back(item->name() + (returned ? " after" : " inside"));
        };
    form.load(); // a window, never shown

    user = {renderer.window(form), renderer.popup(menu)};
    ASSERT_TRUE(user.owner && user.menu);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &pressKeys);
    form.popupMenu(menu, &restore);
    KillTimer(nullptr, timer);
    returned = true;
    EXPECT_TRUE(clicks.empty());
    clock.doEvents();

    EXPECT_EQ(clicks, (std::vector<std::string>{"pActivate after"}));
    EXPECT_EQ(user.defaultSeen, GetMenuItemID(user.menu, 3)) << "pRestore in bold";
    EXPECT_FALSE(IsWindowVisible(user.owner));
    form.unload();
}

} // namespace
} // namespace qs::win32
