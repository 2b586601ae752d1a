#pragma once

#include "../../forms/form.h"

#include <QObject>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QKeyEvent;
class QPainter;
class QWidget;

namespace qs::linuxos {

class ControlView;
class FormWindow;
class MenuView;

// One form's top-level window with its menu bar and a widget per control. It belongs to its
// window (a child object of it), so it lives exactly as long as the widgets that call it.
class FormView : public QObject {
public:
    explicit FormView(forms::Form& form);
    ~FormView() override;

    forms::Form& form() const { return form_; }
    QWidget* window() const;
    // False after detach(): the window is on its way out and calls the model no more.
    bool attached() const { return attached_; }
    void detach();

    void show(bool modal);
    void hide();
    // To the task bar, where the user can reach it without a notification area.
    void minimize();
    // A minimised window back to its normal size, in front.
    void restore();
    void formChanged(forms::Property what);
    void controlChanged(forms::Control& control, forms::Property what);
    void menuChanged(forms::MenuItem& item);
    // A stock icon (32514 question...) at x, y of the client area, within the paint under way
    // (the form's Paint runs in one); Qt draws nothing outside a paint event.
    void drawIcon(int iconId, int x, int y);

    // Tab and the arrow keys, as a Windows dialog moves among its controls; true when used up.
    bool navigate(const QWidget* receiver, const QKeyEvent& key);
    // Whether a menu item's shortcut is this key, which then goes to the menu before any widget.
    bool menuClaims(const QKeyEvent& key) const;

    // The control whose widget is this one or holds it; nullptr when none.
    forms::Control* controlAt(const QWidget* widget) const;
    QWidget* widgetOf(const forms::Control& control) const;
    QAction* actionOf(const forms::MenuItem& item) const;

    // The outer frame Windows would add around the client area, in pixels.
    static constexpr int kFrameWidth = 6;
    static constexpr int kFrameHeight = 25;

private:
    ControlView* ensureView(forms::Control& control);
    void giveBuddies();
    void applyFlags();
    void applyGeometry();
    // The first show centres the window unless the model has placed it.
    void place();
    void layoutClient();
    void focus(const forms::Control* control);

    forms::Form& form_;
    FormWindow* window_;
    QWidget* client_;
    QPainter* painter_ = nullptr; // while the client area's paint event runs the form's Paint
    std::unique_ptr<MenuView> menus_;
    std::map<const forms::Control*, std::unique_ptr<ControlView>> views_;
    std::map<const QWidget*, forms::Control*> controlOf_;
    bool attached_ = true;
    bool placed_ = false;
};

} // namespace qs::linuxos
