#include "control.h"

#include "application.h"
#include "form.h"

namespace qs::forms {

Control::Control(Form& form, ControlKind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {}

std::string Control::displayName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::move(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed(Property::Geometry);
}

void Control::setEnabled(bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    changed(Property::Enabled);
    enabledChanged();
}

void Control::setVisible(bool on) {
    if (on == visible_)
        return;
    visible_ = on;
    changed(Property::Visible);
}

bool Control::acceptsInput() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->enabled_ || !c->visible_)
            return false;
    return true;
}

bool Control::shownOnScreen() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible_)
            return false;
    return true;
}

void Control::setCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    changed(Property::Caption);
    captionChanged();
}

void Control::setToolTipText(const std::string& tip) {
    if (tip == toolTip_)
        return;
    toolTip_ = tip;
    changed(Property::ToolTip);
}

void Control::setBackColor(std::uint32_t colour) {
    if (colour == backColor_)
        return;
    backColor_ = colour;
    changed(Property::BackColor);
}

void Control::setForeColor(std::uint32_t colour) {
    if (colour == foreColor_)
        return;
    foreColor_ = colour;
    changed(Property::ForeColor);
}

void Control::setFont(const std::string& name, double points) {
    if (name == fontName_ && points == fontSize_)
        return;
    fontName_ = name;
    fontSize_ = points;
    changed(Property::Font);
    fontChanged();
}

void Control::setBold(bool on) {
    if (on == bold_)
        return;
    bold_ = on;
    changed(Property::Font);
    fontChanged();
}

void Control::changed(Property what) {
    form_.notifyChanged(*this, what);
}

void Control::raise(const std::function<void()>& handler, const char* event) {
    if (!handler)
        return;
    try {
        handler();
    } catch (...) {
        form_.app().handlerFailed(handlerName(event));
    }
}

std::string Control::handlerName(const char* event) const {
    return form_.name() + "." + displayName() + "." + event;
}

} // namespace qs::forms
