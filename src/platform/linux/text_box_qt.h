#pragma once

#include "../../forms/text_box.h"
#include "control_view_qt.h"

class QKeyEvent;
class QLineEdit;
class QString;

namespace qs::linuxos {

// A text box as a QLineEdit. Typed characters go through TextBox::typeKey, so KeyPress can drop
// them; other edits (paste, delete, cut) set the model's text. The widget then shows the model.
class TextBoxView : public ControlView {
public:
    TextBoxView(FormView& owner, forms::TextBox& box, QWidget* parent);

    void sync(forms::Property what) override;

private:
    bool keyPressed(QKeyEvent* event);
    void edited(const QString& text);
    void selectionMoved();
    void mirror();

    forms::TextBox& box_;
    QLineEdit* edit_;
    bool pushing_ = false; // the widget is telling the model; its echo is not wanted
};

} // namespace qs::linuxos
