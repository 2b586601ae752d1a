#pragma once

#include "control.h"

namespace qs::forms {

// A picture named by its resource ("disabled" is the tray's inactive icon).
class Image : public Control {
public:
    Image(Form& form, std::string name, int index, Control* container)
        : Control(form, ControlKind::Image, std::move(name), index, container) {}

    const std::string& picture() const { return picture_; }
    void setPicture(const std::string& resource) { picture_ = resource; }

private:
    std::string picture_;
};

} // namespace qs::forms
