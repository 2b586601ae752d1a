#pragma once

#include "../../forms/control.h"

#include <memory>

class QWidget;

namespace qs::linuxos {

class FormView;

// One control's widget: made by the control's kind, kept in step with the model, and the user's
// input turned into model events. The model owns every value; widgets only mirror it.
class ControlView {
public:
    ControlView(FormView& owner, forms::Control& control);
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    forms::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }

    // Brings the widget in step with one property; syncAll with every one.
    virtual void sync(forms::Property what);
    void syncAll();

protected:
    // False once the form's window is being taken down: no more model calls then.
    bool live() const;
    void setWidget(QWidget* widget);
    void applyColours();

    FormView& owner_;
    forms::Control& control_;
    QWidget* widget_ = nullptr;
    bool syncing_ = false;
};

// The view for a control, or nullptr for kinds without a widget (timers).
std::unique_ptr<ControlView> makeControlView(FormView& owner, forms::Control& control, QWidget* parent);

} // namespace qs::linuxos
