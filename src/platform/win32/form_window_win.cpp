#include "form_window_win.h"

#include "../../forms/tab_order.h"
#include "control_win.h"
#include "dpi_win.h"
#include "fonts_win.h"
#include "icons_win.h"
#include "menu_bar_win.h"
#include "status_bar_win.h"
#include "text_box_win.h"

#include <algorithm>
#include <commctrl.h>

namespace qs::win32 {

using forms::ControlKind;
using forms::Property;

namespace {

constexpr char kWindowClass[] = "QuorrelShutdownForm";
constexpr int kFirstControlId = 100; // above IDOK and IDCANCEL, which the dialog keys send
constexpr UINT kDpiChanged = 0x02E0; // WM_DPICHANGED: per-monitor aware windows, Windows 8.1 on

void registerClass() {
    static bool done = false;
    if (done)
        return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA; // replaced per window once it knows its form
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    // Every form is the program's on the task bar and in Alt+Tab, also one without an icon of its
    // own; a fixed dialog's title bar still shows none.
    wc.hIcon = programIcon("main", GetSystemMetrics(SM_CXICON));
    wc.hIconSm = programIcon("main", GetSystemMetrics(SM_CXSMICON));
    wc.lpszClassName = kWindowClass;
    RegisterClassExA(&wc);
    done = true;
}

} // namespace

FormWindow::FormWindow(forms::Form& form, FontsWin& fonts, SessionEndCalls sessionEnd)
    : form_(form), sessionEnd_(std::move(sessionEnd)), fonts_(fonts) {
    registerClass();
    const DWORD exStyle = form.topMost() ? WS_EX_TOPMOST : 0;
    hwnd_ = CreateWindowExA(exStyle, kWindowClass, form.caption().c_str(), WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_)
        return;
    dpi_ = windowDpi(hwnd_);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormWindow::windowProc));
    menus_ = std::make_unique<MenuBarWin>(form.menus(), hwnd_);
    applyStyle();
    applyGeometry();
    for (const auto& control : form.controls())
        ensureView(*control);
    stackContainers();
    for (auto& [control, view] : views_)
        view->syncAll();
    applyIcon();
}

FormWindow::~FormWindow() {
    if (hwnd_)
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    views_.clear();
    menus_.reset();
    if (tips_)
        DestroyWindow(tips_);
    if (hwnd_)
        DestroyWindow(hwnd_);
    for (auto& [colour, brush] : brushes_)
        DeleteObject(brush);
}

void FormWindow::detach() {
    if (!attached_)
        return;
    attached_ = false;
    if (hwnd_)
        ShowWindow(hwnd_, SW_HIDE);
}

ControlWin* FormWindow::ensureView(forms::Control& control) {
    if (auto it = views_.find(&control); it != views_.end())
        return it->second.get();
    auto view = makeControlWin(*this, control);
    if (!view)
        return nullptr;
    ControlWin* raw = view.get();
    if (raw->hwnd())
        viewOfWindow_[raw->hwnd()] = raw;
    views_[&control] = std::move(view);
    return raw;
}

bool FormWindow::isContainer(const forms::Control& control) const {
    for (const auto& c : form_.controls())
        if (c->container() == &control)
            return true;
    return false;
}

void FormWindow::stackContainers() {
    // Frames and panels go under everything, the outer ones lowest, so with clipped siblings each
    // control paints over its containers.
    const auto& controls = form_.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (ControlWin* view = viewOf(**it); view && view->hwnd() && isContainer(**it))
            SetWindowPos(view->hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int FormWindow::controlId(const forms::Control& control) const {
    const auto& controls = form_.controls();
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i].get() == &control)
            return kFirstControlId + static_cast<int>(i);
    return 0;
}

void FormWindow::applyGeometry() {
    const int width = pixels(form_.width(), dpi_), height = pixels(form_.height(), dpi_);
    int x = pixels(form_.left(), dpi_), y = pixels(form_.top(), dpi_);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (form_.left() < 0 || form_.top() < 0) {
        if (placed_) {
            flags |= SWP_NOMOVE;
        } else {
            RECT area{0, 0, 1024, 768};
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
            x = area.left + (area.right - area.left - width) / 2;
            y = area.top + (area.bottom - area.top - height) / 2;
        }
    }
    placed_ = true;
    SetWindowPos(hwnd_, nullptr, x, y, width, height, flags);
}

void FormWindow::rescale(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The fonts first: the status bar takes its height from its font when the new size places it.
    for (auto& [control, view] : views_)
        view->sync(Property::Font);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (auto& [control, view] : views_)
        view->sync(Property::Geometry);
}

void FormWindow::applyStyle() {
    LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
    style = form_.minButton() ? style | WS_MINIMIZEBOX : style & ~static_cast<LONG_PTR>(WS_MINIMIZEBOX);
    exStyle = form_.borderStyle() == forms::BorderStyle::FixedDialog
                  ? exStyle | WS_EX_DLGMODALFRAME
                  : exStyle & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME);
    SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, exStyle);
    // The frame is drawn anew only when told; the outer size stays what the form says.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FormWindow::applyIcon() {
    // The sizes the system draws title bars and Alt+Tab with, which grow with the DPI.
    const HICON bigIcon = programIcon(form_.icon(), GetSystemMetrics(SM_CXICON));
    const HICON smallIcon = programIcon(form_.icon(), GetSystemMetrics(SM_CXSMICON));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

void FormWindow::show() {
    if (!hwnd_)
        return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    // As in a dialog, the first control in Tab order has the focus, unless one still has it.
    const ControlWin* current = viewAt(GetFocus());
    if (!current || !forms::reachable(current->control()))
        focus(forms::nextTabStop(form_, nullptr, true));
}

void FormWindow::focus(const forms::Control* control) {
    if (ControlWin* view = control ? viewOf(*control) : nullptr; view && view->hwnd())
        SetFocus(view->hwnd());
}

bool FormWindow::navigate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    const ControlWin* view = viewAt(msg.hwnd);
    forms::Control* control = view ? &view->control() : nullptr;
    bool forward = true;
    switch (msg.wParam) {
    case VK_TAB:
        // The model's order: hidden, disabled and out-of-sight controls and all but one option
        // of a group are passed over.
        focus(forms::nextTabStop(form_, control, GetKeyState(VK_SHIFT) >= 0));
        return true;
    case VK_LEFT:
    case VK_UP:
        forward = false;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        break;
    default:
        return false;
    }
    if (!control)
        return false;
    const ControlKind kind = control->kind();
    if (kind == ControlKind::OptionButton) {
        // The arrows select the next option of the group. Selected first, so that the focus
        // coming to it is no click of its own.
        if (forms::Control* next = forms::nextOption(*control, forward)) {
            next->userClick();
            if (attached_)
                focus(next);
        }
        return true;
    }
    // A check box or button is a group of its own: the arrows go nowhere.
    return kind == ControlKind::CheckBox || kind == ControlKind::Button;
}

void FormWindow::nextControl(WPARAM which, bool direct) {
    // IsDialogMessage answers a label's or frame's access key with "to this control", then "to the
    // next one"; a control that takes no focus marks where the next one is looked for.
    if (direct) {
        const ControlWin* view = viewAt(reinterpret_cast<HWND>(which));
        nextFrom_ = view ? &view->control() : nullptr;
        const auto stops = forms::tabStops(form_);
        if (nextFrom_ && std::find(stops.begin(), stops.end(), nextFrom_) != stops.end()) {
            focus(nextFrom_);
            nextFrom_ = nullptr;
        }
        return;
    }
    const ControlWin* focused = viewAt(GetFocus());
    const forms::Control* from = nextFrom_ ? nextFrom_ : focused ? &focused->control() : nullptr;
    nextFrom_ = nullptr;
    focus(forms::nextTabStop(form_, from, which == 0));
}

void FormWindow::hide() {
    if (hwnd_)
        ShowWindow(hwnd_, SW_HIDE);
}

void FormWindow::formChanged(Property what) {
    if (!hwnd_)
        return;
    switch (what) {
    case Property::Caption:
        SetWindowTextA(hwnd_, form_.caption().c_str());
        break;
    case Property::Icon:
        applyIcon();
        break;
    case Property::Style:
        applyStyle();
        break;
    case Property::Geometry:
        applyGeometry();
        break;
    case Property::TopMost:
        SetWindowPos(hwnd_, form_.topMost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    default:
        break;
    }
}

void FormWindow::controlChanged(forms::Control& control, Property what) {
    ControlWin* view = ensureView(control);
    if (view)
        view->sync(what);
    // Containers carry their contents along: place, visibility and the enabled state.
    if ((what != Property::Geometry && what != Property::Visible && what != Property::Enabled) || !isContainer(control))
        return;
    for (const auto& c : form_.controls())
        for (const forms::Control* up = c->container(); up; up = up->container())
            if (up == &control) {
                if (ControlWin* inner = viewOf(*c))
                    inner->sync(what);
                break;
            }
}

void FormWindow::menuChanged(forms::MenuItem& item) {
    if (menus_)
        menus_->changed(item);
}

bool FormWindow::translate(MSG& msg) {
    if (!attached_ || !hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)))
        return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        // Esc goes to the form first (key preview), which presses its cancel button.
        form_.keyDown(forms::kKeyEscape);
        return true;
    }
    if (menus_ && menus_->accelerators() && TranslateAcceleratorA(hwnd_, menus_->accelerators(), &msg))
        return true;
    if (navigate(msg))
        return true;
    // Enter in a text box is a typed key there, not the dialog's default button.
    if ((msg.message == WM_KEYDOWN || msg.message == WM_CHAR) && msg.wParam == VK_RETURN &&
        dynamic_cast<TextBoxWin*>(viewAt(msg.hwnd)))
        return false;
    return IsDialogMessageA(hwnd_, &msg);
}

ControlWin* FormWindow::viewOf(const forms::Control& control) const {
    const auto it = views_.find(&control);
    return it == views_.end() ? nullptr : it->second.get();
}

ControlWin* FormWindow::viewAt(HWND hwnd) const {
    // A combo box's edit and list are children of the combo box.
    for (; hwnd && hwnd != hwnd_; hwnd = GetParent(hwnd))
        if (auto it = viewOfWindow_.find(hwnd); it != viewOfWindow_.end())
            return it->second;
    return nullptr;
}

void FormWindow::popupMenu(const forms::MenuItem& menu, const forms::MenuItem* defaultItem) {
    const HMENU popup = popupOf(menu);
    if (!popup)
        return;
    const int id = defaultItem ? menus_->commandOf(*defaultItem) : 0;
    SetMenuDefaultItem(popup, id ? static_cast<UINT>(id) : static_cast<UINT>(-1), FALSE);
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    // A menu opened from the notification area closes properly next time only when its owner has
    // had a message after it.
    PostMessageA(hwnd_, WM_NULL, 0, 0);
}

HMENU FormWindow::popupOf(const forms::MenuItem& item) const {
    return menus_ ? menus_->popupOf(item) : nullptr;
}

HFONT FormWindow::font(const forms::Control& control) const {
    return fonts_.of(control, dpi_);
}

HBRUSH FormWindow::brush(COLORREF colour) {
    HBRUSH& brush = brushes_[colour];
    if (!brush)
        brush = CreateSolidBrush(colour);
    return brush;
}

void FormWindow::focusIn(forms::Control& control) {
    if (attached_)
        form_.setFocus(control);
}

void FormWindow::setToolTip(HWND tool, UINT_PTR id, const RECT* rect, const std::string& text) {
    if (!tips_ && text.empty())
        return;
    if (!tips_) {
        tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                                0, 0, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, dpi_, 96));
    }
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE; // understood by every version of the common controls
    if (rect) {
        info.hwnd = tool;
        info.uId = id;
        info.uFlags = TTF_SUBCLASS;
        info.rect = *rect;
    } else {
        info.hwnd = hwnd_;
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    }
    SendMessageA(tips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    if (text.empty())
        return;
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void FormWindow::paint() {
    // The background is erased and the controls paint themselves (clipped out of this DC); the
    // form's Paint draws on what shows of the form between them.
    PAINTSTRUCT ps;
    paintDc_ = BeginPaint(hwnd_, &ps);
    form_.paint();
    EndPaint(hwnd_, &ps);
    paintDc_ = nullptr;
}

void FormWindow::drawIcon(int iconId, int x, int y) {
    const HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(iconId));
    if (!icon || !hwnd_)
        return;
    if (paintDc_) {
        DrawIcon(paintDc_, x, y, icon);
        return;
    }
    const HDC dc = GetDC(hwnd_);
    DrawIcon(dc, x, y, icon);
    ReleaseDC(hwnd_, dc);
}

LRESULT CALLBACK FormWindow::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || !self->attached_)
        return msg == WM_CLOSE ? 0 : DefWindowProcA(hwnd, msg, wParam, lParam);
    const Busy busy;
    return self->handle(msg, wParam, lParam);
}

LRESULT FormWindow::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (lParam) {
            if (ControlWin* view = viewAt(reinterpret_cast<HWND>(lParam)))
                view->command(HIWORD(wParam));
        } else if (menus_) {
            if (forms::MenuItem* item = menus_->itemOfCommand(LOWORD(wParam)); item && item->acceptsInput())
                item->userClick();
        }
        return 0;
    case WM_INITMENUPOPUP:
        // A top menu's own Click comes as it opens.
        if (menus_ && !HIWORD(lParam))
            if (forms::MenuItem* item = menus_->itemOfPopup(reinterpret_cast<HMENU>(wParam));
                item && !item->parent() && item->acceptsInput())
                item->userClick();
        return 0;
    case WM_VSCROLL:
        if (ControlWin* view = viewAt(reinterpret_cast<HWND>(lParam)))
            view->scroll(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (ControlWin* view = viewAt(header->hwndFrom))
            return view->notify(*header);
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (ControlWin* view = viewAt(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = view->paintColours(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SIZE:
        for (auto& [control, view] : views_)
            if (control->kind() == ControlKind::StatusBar)
                view->sync(Property::Geometry);
        break;
    case WM_PAINT:
        paint();
        return 0;
    case kDpiChanged:
        rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        form_.close(forms::kFormControlMenu);
        return 0;
    case WM_NEXTDLGCTL:
        nextControl(wParam, LOWORD(lParam) != 0);
        return 0;
    case WM_QUERYENDSESSION:
        return sessionEnd_.query && !sessionEnd_.query() ? FALSE : TRUE;
    case WM_ENDSESSION:
        if (sessionEnd_.end)
            sessionEnd_.end(wParam != FALSE);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

} // namespace qs::win32
