#pragma once

#include "control.h"

#include <functional>

namespace qs::forms {

enum class Alignment { Left, Right, Center };

class Label : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Label;

    Label(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    // Sized to its text: a new caption or font sets the width to the text's measured width.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    // Raised when the caption has changed (after an auto-sized label has taken its new width).
    std::function<void()> Change;

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) {
        if (a == alignment_)
            return;
        alignment_ = a;
        changed(Property::Alignment);
    }

private:
    void captionChanged() override;
    void fontChanged() override;
    void fitWidth();

    Alignment alignment_ = Alignment::Left;
    bool autoSize_ = false;
};

} // namespace qs::forms
