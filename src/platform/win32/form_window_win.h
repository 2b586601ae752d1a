#pragma once

#include "../../forms/form.h"

#include <functional>
#include <map>
#include <memory>
#include <windows.h>

namespace qs::win32 {

class ControlWin;
class FontsWin;
class MenuBarWin;

// What a form's window does when Windows asks whether the session may end, and when it then says
// whether the session does end.
struct SessionEndCalls {
    std::function<bool()> query;
    std::function<void(bool ending)> end;
};

// One form's top-level window with its menu bar, a native control per control and a tooltip
// control. The window procedure turns the user's input into the model's events; the model's
// changes come in through formChanged and controlChanged.
class FormWindow {
public:
    FormWindow(forms::Form& form, FontsWin& fonts, SessionEndCalls sessionEnd);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    forms::Form& form() const { return form_; }
    HWND hwnd() const { return hwnd_; }
    // False after detach(): the window is on its way out and calls the model no more.
    bool attached() const { return attached_; }
    void detach();

    void show();
    void hide();
    void formChanged(forms::Property what);
    void controlChanged(forms::Control& control, forms::Property what);
    void menuChanged(forms::MenuItem& item);
    // Esc, the menu shortcuts and the dialog keys (Tab between controls) of a message bound for
    // this window or one of its controls; true when the message was used up.
    bool translate(MSG& msg);
    // A stock icon of the system (IDI_QUESTION...) at x, y of the client area: into the paint
    // under way, else straight onto the window.
    void drawIcon(int iconId, int x, int y);

    // The menu's pop-up at the pointer, owned by this window, defaultItem in bold; returns when it
    // has closed. The item chosen comes as a WM_COMMAND posted to the window, so its Click runs
    // after the caller has returned.
    void popupMenu(const forms::MenuItem& menu, const forms::MenuItem* defaultItem);

    ControlWin* viewOf(const forms::Control& control) const;
    HMENU popupOf(const forms::MenuItem& item) const;

    // For the controls' views.
    // The dots per inch of the window's screen: the forms' twips are so many pixels.
    int dpi() const { return dpi_; }
    int controlId(const forms::Control& control) const;
    HFONT font(const forms::Control& control) const;
    HBRUSH brush(COLORREF colour);
    void focusIn(forms::Control& control);
    // Adds, changes or (with an empty text) removes the tooltip of a window, or of a rectangle of it.
    void setToolTip(HWND tool, UINT_PTR id, const RECT* rect, const std::string& text);

    // Counts the window procedures running, so nothing is destroyed under one of them.
    class Busy {
    public:
        Busy() { ++depth_; }
        ~Busy() { --depth_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;
        static bool any() { return depth_ > 0; }

    private:
        static inline int depth_ = 0;
    };

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam);
    ControlWin* viewAt(HWND hwnd) const;
    ControlWin* ensureView(forms::Control& control);
    void stackContainers();
    void applyStyle();
    void applyGeometry();
    void applyIcon();
    // The window has come to a screen of other dots per inch: fonts and places anew, the size the
    // system suggests.
    void rescale(int dpi, const RECT& suggested);
    bool isContainer(const forms::Control& control) const;
    void focus(const forms::Control* control);
    // Tab and the arrow keys among the controls, by the model's order; true when used up.
    bool navigate(const MSG& msg);
    // WM_NEXTDLGCTL: to the control given (direct) or to the next (which 0) or previous one.
    void nextControl(WPARAM which, bool direct);
    void paint();

    forms::Form& form_;
    SessionEndCalls sessionEnd_;
    HWND hwnd_ = nullptr;
    HWND tips_ = nullptr;
    FontsWin& fonts_;
    HDC paintDc_ = nullptr; // while the window's WM_PAINT runs the form's Paint
    int dpi_ = 96;
    std::unique_ptr<MenuBarWin> menus_;
    std::map<const forms::Control*, std::unique_ptr<ControlWin>> views_;
    std::map<HWND, ControlWin*> viewOfWindow_;
    std::map<COLORREF, HBRUSH> brushes_;
    const forms::Control* nextFrom_ = nullptr; // a label whose access key was pressed
    bool attached_ = true;
    bool placed_ = false;
};

} // namespace qs::win32
