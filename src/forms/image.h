#pragma once

#include "control.h"

namespace qs::forms {

// A picture named by its resource ("disabled" is the tray's inactive icon).
class Image : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::Image;

    Image(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    const std::string& picture() const { return picture_; }
    void setPicture(const std::string& resource) {
        if (resource == picture_)
            return;
        picture_ = resource;
        changed(Property::Picture);
    }

private:
    std::string picture_;
};

} // namespace qs::forms
