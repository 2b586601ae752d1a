#include "menu_item.h"

#include "application.h"
#include "form.h"

namespace qs::forms {

MenuItem::MenuItem(Form& form, std::string name, int index, MenuItem* parent, std::string caption, std::string shortcut)
    : form_(form), name_(std::move(name)), index_(index), parent_(parent), caption_(std::move(caption)),
      shortcut_(std::move(shortcut)) {}

std::string MenuItem::displayName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

MenuItem& MenuItem::add(std::string name, std::string caption, std::string shortcut, int index) {
    children_.push_back(
        std::make_unique<MenuItem>(form_, std::move(name), index, this, std::move(caption), std::move(shortcut)));
    return *children_.back();
}

void MenuItem::setCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    changed();
}

void MenuItem::setEnabled(bool on) {
    if (on == enabled_)
        return;
    enabled_ = on;
    changed();
}

void MenuItem::setVisible(bool on) {
    if (on == visible_)
        return;
    visible_ = on;
    changed();
}

bool MenuItem::acceptsInput() const {
    if (!enabled_ || !visible_ || isSeparator())
        return false;
    for (const MenuItem* p = parent_; p; p = p->parent_)
        if (!p->enabled_)
            return false;
    return true;
}

void MenuItem::userClick() {
    if (!Click)
        return;
    try {
        Click();
    } catch (...) {
        form_.app().handlerFailed(form_.name() + "." + displayName() + ".Click");
    }
}

void MenuItem::changed() {
    form_.notifyChanged(*this);
}

} // namespace qs::forms
