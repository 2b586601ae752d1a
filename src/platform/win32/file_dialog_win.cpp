#include "file_dialog_win.h"

#include <algorithm>
#include <cmath>
#include <commdlg.h>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace qs::win32 {

namespace {

// Long names, shortcuts returned as themselves, explorer style, asks before a new name, several
// names, no read-only box: 0x382204.
constexpr DWORD kFlags =
    OFN_LONGNAMES | OFN_NODEREFERENCELINKS | OFN_EXPLORER | OFN_CREATEPROMPT | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY;
// Room for the choice beyond the name shown, its closing zeros included.
constexpr size_t kRoom = 2048;
constexpr size_t kMaxNames = 200;

// The one-shot centring hook, from just before the dialog is shown until it first activates, or
// until it is shown when it activated while still being laid out.
struct Centring {
    HHOOK hook = nullptr;
    HWND over = nullptr;   // the owner, or nullptr for the screen
    HWND dialog = nullptr; // activated while hidden
};
thread_local Centring centring;

void unhook() {
    if (centring.hook)
        UnhookWindowsHookEx(centring.hook);
    centring.hook = nullptr;
}

// Where something of this size starts when centred in the area; a half rounds to the even pixel
// (the default rounding mode, which the program never changes).
int centredStart(LONG areaStart, LONG areaSize, LONG size) {
    return static_cast<int>(std::lrint(areaStart + (areaSize - size) / 2.0));
}

void centre(HWND dialog) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT owner;
    if (centring.over && GetWindowRect(centring.over, &owner))
        area = owner;
    RECT box;
    if (!GetWindowRect(dialog, &box))
        return;
    SetWindowPos(dialog, nullptr, centredStart(area.left, area.right - area.left, box.right - box.left),
                 centredStart(area.top, area.bottom - area.top, box.bottom - box.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK centreWhenShown(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT answer = CallNextHookEx(centring.hook, code, wParam, lParam);
    const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call.hwnd == centring.dialog && call.message == WM_SHOWWINDOW && call.wParam) {
        centre(call.hwnd);
        unhook();
    }
    return answer;
}

LRESULT CALLBACK centreOnActivation(int code, WPARAM wParam, LPARAM lParam) {
    // Hooks installed before this one (accessibility tools, say) still see every notification.
    const LRESULT answer = CallNextHookEx(centring.hook, code, wParam, lParam);
    if (code != HCBT_ACTIVATE)
        return answer;
    const auto dialog = reinterpret_cast<HWND>(wParam);
    centre(dialog);
    unhook();
    if (!IsWindowVisible(dialog)) {
        // Activated in the middle of its set-up (Wine does so), it may still change its size:
        // centred again when it is shown.
        centring.dialog = dialog;
        centring.hook = SetWindowsHookExA(WH_CALLWNDPROC, &centreWhenShown, nullptr, GetCurrentThreadId());
    }
    return answer;
}

} // namespace

platform::FileDialogResult Win32FileDialog::showOpen(const forms::Form* owner, const std::string& filter,
                                                     const std::string& title, bool centreOverOwner) {
    const HWND ownerWindow = owner && windowOf_ ? windowOf_(*owner) : nullptr;
    // The list of filters ends with an empty entry.
    const std::string filters = filter + std::string(2, '\0');
    // The name box shows the name confirmed last, without padding; the zeros after it are the
    // room for the new choice.
    std::vector<char> buffer(lastName_.begin(), lastName_.end());
    buffer.resize(lastName_.size() + kRoom, '\0');

    OPENFILENAMEA description{};
    description.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // 76 bytes: known to every Windows version
    description.hwndOwner = ownerWindow;
    description.lpstrFilter = filters.c_str();
    description.nFilterIndex = filterIndex_;
    description.lpstrFile = buffer.data();
    description.nMaxFile = static_cast<DWORD>(buffer.size());
    description.lpstrTitle = title.c_str();
    description.Flags = kFlags;

    unhook();
    centring.over = centreOverOwner ? ownerWindow : nullptr;
    centring.hook = SetWindowsHookExA(WH_CBT, &centreOnActivation, nullptr, GetCurrentThreadId());
    const BOOL chosen = GetOpenFileNameA(&description);
    unhook(); // still there when the dialog never came up
    filterIndex_ = description.nFilterIndex;

    platform::FileDialogResult result;
    if (!chosen)
        return result;
    buffer.back() = '\0';
    const std::string_view text(buffer.data(), buffer.size());
    const size_t offset = std::min<size_t>(description.nFileOffset, text.size() - 1);
    if (offset == 0 || text[offset - 1] != '\0') {
        // One name: the folder up to its closing separator, then the name.
        result.path = std::string(text.substr(0, offset));
        result.files.emplace_back(buffer.data() + offset);
        lastName_ = result.path + result.files.front();
    } else {
        // Several: the folder, then the names, each closed by a zero; an empty one ends the list.
        result.path = buffer.data();
        // Next time: that folder, with an empty name box.
        lastName_ = result.path.ends_with('\\') ? result.path : result.path + '\\';
        for (size_t at = offset; at < text.size() && text[at] != '\0';) {
            if (result.files.size() == kMaxNames)
                throw std::length_error("More than 200 files were selected");
            const size_t end = text.find('\0', at);
            result.files.emplace_back(text.substr(at, end - at));
            at = end + 1;
        }
    }
    result.count = static_cast<int>(result.files.size());
    result.cancelled = false;
    return result;
}

} // namespace qs::win32
