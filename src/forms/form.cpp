#include "form.h"

#include "../platform/clock.h"
#include "application.h"
#include "button.h"
#include "control_cast.h"
#include "timer.h"

namespace qs::forms {

Form::Form(Application& app, std::string name) : app_(app), name_(std::move(name)) {}

Form::~Form() {
    // First, while the controls are still there: a renderer takes its window down.
    app_.observer().formDestroyed(*this);
    app_.unregisterForm(*this);
}

Control& Form::addControl(ControlKind kind, std::string name, Control* container, int index) {
    // Any other kind made as a plain Control would be taken for its class by whoever finds it.
    if (kind != ControlKind::Frame && kind != ControlKind::Panel)
        throw std::invalid_argument("control " + name_ + "." + name + ": a " + kindName(kind) + " is made with add<" +
                                    kindName(kind) + ">");
    controls_.push_back(std::make_unique<Control>(*this, kind, std::move(name), index, container));
    return *controls_.back();
}

Control* Form::find(const std::string& name, int index) const {
    for (const auto& c : controls_)
        if (c->name() == name && c->index() == index)
            return c.get();
    return nullptr;
}

MenuItem& Form::addMenu(std::string name, std::string caption, std::string shortcut) {
    menus_.push_back(
        std::make_unique<MenuItem>(*this, std::move(name), -1, nullptr, std::move(caption), std::move(shortcut)));
    return *menus_.back();
}

static MenuItem* findIn(const std::vector<std::unique_ptr<MenuItem>>& items, const std::string& name, int index) {
    for (const auto& item : items) {
        if (item->name() == name && item->index() == index)
            return item.get();
        if (MenuItem* found = findIn(item->children(), name, index))
            return found;
    }
    return nullptr;
}

MenuItem* Form::findMenu(const std::string& name, int index) const {
    return findIn(menus_, name, index);
}

void Form::setCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    app_.observer().formChanged(*this, Property::Caption);
}

void Form::move(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    app_.observer().formChanged(*this, Property::Geometry);
}

void Form::setTopMost(bool on) {
    topMost_ = on;
    app_.observer().formChanged(*this, Property::TopMost);
}

void Form::setBorderStyle(BorderStyle style) {
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    app_.observer().formChanged(*this, Property::Style);
}

void Form::setMinButton(bool on) {
    if (on == minButton_)
        return;
    minButton_ = on;
    app_.observer().formChanged(*this, Property::Style);
}

void Form::setIcon(const std::string& resource) {
    if (resource == icon_)
        return;
    icon_ = resource;
    app_.observer().formChanged(*this, Property::Icon);
}

void Form::load() {
    if (loaded_)
        return;
    loaded_ = true;
    app_.registerForm(*this);
    app_.observer().formLoaded(*this);
    for (const auto& c : controls_)
        if (c->kind() == ControlKind::Timer)
            controlAs<Timer>(*c).rearm();
    raise(Load, "Load");
}

void Form::show() {
    load();
    if (!loaded_)
        return;
    if (visible_) {
        app_.observer().formRestored(*this);
        return;
    }
    visible_ = true;
    app_.observer().formShown(*this, false);
    activate();
}

void Form::showModal() {
    load();
    if (!loaded_)
        return;
    visible_ = true;
    modal_ = true;
    app_.observer().formShown(*this, true);
    activate();
    app_.clock().runUntil([this] { return !visible_ || !loaded_ || app_.ended(); });
    modal_ = false;
}

void Form::minimize() {
    if (!visible_)
        show();
    if (visible_)
        app_.observer().formMinimized(*this);
}

void Form::hide() {
    if (!visible_)
        return;
    visible_ = false;
    app_.observer().formHidden(*this);
}

bool Form::close(int mode) {
    if (!app_.sessionEnding() && !queryUnload(mode))
        return false;
    return unloadWithoutAsking();
}

std::optional<int> Form::closingStep(const char* event, const std::function<void(int& cancel)>& handler) {
    if (unloading_)
        return std::nullopt;
    unloading_ = true;
    int cancel = 0;
    if (handler) {
        try {
            handler(cancel);
        } catch (...) {
            app_.handlerFailed(name_ + "." + event);
        }
    }
    unloading_ = false;
    return cancel;
}

bool Form::queryUnload(int mode) {
    if (!loaded_)
        return true;
    const auto cancel = closingStep("QueryUnload", [this, mode](int& flag) {
        if (QueryUnload)
            QueryUnload(flag, mode);
    });
    return cancel == 0;
}

bool Form::unloadWithoutAsking() {
    if (!loaded_)
        return true;
    const auto cancel = closingStep("Unload", Unload);
    if (!cancel)
        return false;
    if (*cancel != 0 || !loaded_)
        return !loaded_;
    for (const auto& c : controls_)
        if (c->kind() == ControlKind::Timer)
            controlAs<Timer>(*c).disarm();
    visible_ = false;
    loaded_ = false;
    focused_ = nullptr;
    app_.observer().formUnloaded(*this);
    app_.forgetForm(*this);
    return true;
}

void Form::setFocus(Control& control) {
    if (focused_ == &control)
        return;
    Control* previous = focused_;
    focused_ = &control;
    if (previous)
        previous->raise(previous->LostFocus, "LostFocus");
    control.raise(control.GotFocus, "GotFocus");
}

void Form::clearFocus() {
    Control* previous = focused_;
    focused_ = nullptr;
    if (previous)
        previous->raise(previous->LostFocus, "LostFocus");
}

void Form::keyDown(int keyCode, int shift) {
    if (keyPreview_ && KeyDown) {
        try {
            KeyDown(keyCode, shift);
        } catch (...) {
            app_.handlerFailed(name_ + ".KeyDown");
        }
    }
    if (keyCode != kKeyEscape || !loaded_)
        return;
    for (const auto& c : controls_)
        if (c->kind() == ControlKind::Button && controlAs<Button>(*c).isCancel() && c->acceptsInput()) {
            c->userClick();
            return;
        }
}

void Form::activate() {
    raise(Activate, "Activate");
}

void Form::paint() {
    raise(Paint, "Paint");
}

void Form::drawIcon(int iconId, int x, int y) {
    app_.observer().drawIcon(*this, iconId, x, y);
}

void Form::popupMenu(MenuItem& menu, MenuItem* defaultItem) {
    app_.observer().popupMenu(*this, menu, defaultItem);
}

void Form::notifyChanged(Control& control, Property what) {
    app_.observer().controlChanged(control, what);
}

void Form::notifyChanged(MenuItem& item) {
    app_.observer().menuChanged(item);
}

void Form::raise(const std::function<void()>& handler, const char* event) {
    if (!handler)
        return;
    try {
        handler();
    } catch (...) {
        app_.handlerFailed(name_ + "." + event);
    }
}

} // namespace qs::forms
