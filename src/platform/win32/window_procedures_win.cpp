#include "window_procedures_win.h"

#include <map>
#include <memory>

namespace qs::win32 {

namespace {

using platform::WindowProcedures;

struct Replacement {
    WNDPROC previous;
    WindowProcedures::Procedure procedure; // empty: restored, but still in the chain
    platform::ErrorLog* errors;
    const WindowProcedures* owner;
};
using Table = std::map<HWND, std::shared_ptr<const Replacement>>;

// A window's messages come on the thread that made it, the one that replaced its procedure. An
// entry is swapped, never changed, so a procedure that replaces or restores its own window
// runs to its end on the entry it started with.
thread_local Table replacements;

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

bool inFront(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&windowProc);
}

// Puts the previous procedure back where this one is still in front; otherwise this one stays
// in the chain and only passes messages on.
void undo(Table::iterator it) {
    const Replacement& entry = *it->second;
    if (inFront(it->first)) {
        SetWindowLongPtrA(it->first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.previous));
        replacements.erase(it);
    } else {
        it->second = std::make_shared<const Replacement>(Replacement{entry.previous, {}, entry.errors, entry.owner});
    }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto it = replacements.find(hwnd);
    if (it == replacements.end())
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    const std::shared_ptr<const Replacement> entry = it->second;
    if (msg == WM_NCDESTROY) {
        // The window's last message: its own procedure is put back before it sees it.
        if (inFront(hwnd))
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->previous));
        replacements.erase(it);
    } else if (entry->procedure) {
        try {
            if (const auto answer = entry->procedure({msg, wParam, static_cast<std::intptr_t>(lParam)}))
                return static_cast<LRESULT>(*answer);
        } catch (...) {
            entry->errors->error("window procedure", platform::currentErrorText());
        }
    }
    return CallWindowProcA(entry->previous, hwnd, msg, wParam, lParam);
}

} // namespace

Win32WindowProcedures::~Win32WindowProcedures() {
    for (auto it = replacements.begin(); it != replacements.end();) {
        const auto next = std::next(it);
        if (it->second->owner == this)
            undo(it);
        it = next;
    }
}

HWND Win32WindowProcedures::windowOf(const forms::Form& form) const {
    return windowOf_ ? windowOf_(form) : nullptr;
}

void Win32WindowProcedures::replace(forms::Form& form, Procedure procedure) {
    const HWND hwnd = windowOf(form);
    if (!hwnd || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) {
        errors_.error("window procedure", "The form has no window on this thread");
        return;
    }
    auto& slot = replacements[hwnd];
    if (slot) {
        // Already in the chain: only the procedure changes.
        slot = std::make_shared<const Replacement>(Replacement{slot->previous, std::move(procedure), &errors_, this});
        return;
    }
    // In the table before it is in place: the window may get a message as soon as it is.
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    slot = std::make_shared<const Replacement>(Replacement{previous, std::move(procedure), &errors_, this});
    if (!SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&windowProc))) {
        errors_.error("window procedure", "SetWindowLong failed, error #" + std::to_string(GetLastError()));
        replacements.erase(hwnd);
    }
}

void Win32WindowProcedures::restore(forms::Form& form) {
    if (const auto it = replacements.find(windowOf(form)); it != replacements.end())
        undo(it);
}

} // namespace qs::win32
