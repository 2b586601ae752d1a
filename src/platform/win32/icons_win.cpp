#include "icons_win.h"

#include "icon_resources_win.h"

#include <map>
#include <utility>

namespace qs::win32 {

HICON programIcon(const std::string& name, int size) {
    const int resource = name == "main" ? QS_ICON_MAIN : name == "disabled" ? QS_ICON_DISABLED : 0;
    if (!resource)
        return nullptr;
    // Windows and static controls hold these handles without owning them, so they live as long as the program.
    static std::map<std::pair<int, int>, HICON> loaded;
    HICON& icon = loaded[{resource, size}];
    if (!icon)
        icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource), IMAGE_ICON, size, size, 0));
    return icon;
}

} // namespace qs::win32
