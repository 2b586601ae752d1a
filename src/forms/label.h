#pragma once

#include "control.h"

namespace qs::forms {

enum class Alignment { Left, Right, Center };

class Label : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Label;

    Label(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) {
        if (a == alignment_)
            return;
        alignment_ = a;
        changed(Property::Alignment);
    }

private:
    Alignment alignment_ = Alignment::Left;
};

} // namespace qs::forms
