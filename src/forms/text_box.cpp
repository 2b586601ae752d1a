#include "text_box.h"

#include "application.h"
#include "form.h"

#include <algorithm>

namespace qs::forms {

void TextBox::setText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    selStart_ = static_cast<int>(text_.size());
    selLength_ = 0;
    changed(Property::Text);
    raise(Change, "Change");
}

void TextBox::setMaxLength(int n) {
    if (n == maxLength_)
        return;
    maxLength_ = n;
    changed(Property::MaxLength);
}

void TextBox::select(int start, int length) {
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (start == selStart_ && length == selLength_)
        return;
    selStart_ = start;
    selLength_ = length;
    changed(Property::Selection);
}

void TextBox::typeKey(char key) {
    if (KeyPress) {
        try {
            KeyPress(key);
        } catch (...) {
            form().app().handlerFailed(handlerName("KeyPress"));
        }
    }
    if (key == 0 || key == '\r' || key == '\n')
        return; // single-line: Enter inserts nothing
    std::string next = text_;
    int caret = selStart_;
    if (key == kBackspace) {
        if (selLength_ > 0) {
            next.erase(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
        } else if (selStart_ > 0) {
            next.erase(static_cast<size_t>(selStart_ - 1), 1);
            --caret;
        }
    } else {
        if (maxLength_ > 0 && static_cast<int>(text_.size()) - selLength_ >= maxLength_)
            return;
        next.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), 1, key);
        ++caret;
    }
    if (next == text_)
        return;
    text_ = next;
    selStart_ = caret;
    selLength_ = 0;
    changed(Property::Text);
    raise(Change, "Change");
}

} // namespace qs::forms
