#pragma once

#include "control.h"

namespace qs::forms {

constexpr char kBackspace = 8;

class TextBox : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::TextBox;

    TextBox(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {
        setBackColor(kWindowBackground);
    }

    const std::string& text() const { return text_; }
    // Raises Change when the text differs; the caret goes to the end of the new text.
    void setText(const std::string& text);

    // 0 means no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int n);

    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void select(int start, int length);

    // A typed character: KeyPress may drop it (set it to 0); otherwise it replaces the selection,
    // or deletes before the caret for backspace, within the length limit.
    void typeKey(char key);

    std::function<void()> Change;
    std::function<void(char& key)> KeyPress;

private:
    std::string text_;
    int maxLength_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
};

} // namespace qs::forms
