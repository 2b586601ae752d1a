#pragma once

#include "control.h"

namespace qs::forms {

enum class Alignment { Left, Right, Center };

class Label : public Control {
public:
    Label(Form& form, std::string name, int index, Control* container)
        : Control(form, ControlKind::Label, std::move(name), index, container) {}

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a) { alignment_ = a; }

private:
    Alignment alignment_ = Alignment::Left;
};

} // namespace qs::forms
