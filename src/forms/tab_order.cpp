#include "tab_order.h"

#include "form.h"
#include "option_button.h"

#include <algorithm>

namespace qs::forms {

namespace {

bool takesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::TextBox:
    case ControlKind::ComboBox:
    case ControlKind::ScrollBar:
    case ControlKind::TimePicker:
        return true;
    default:
        return false;
    }
}

// Starts inside an area of the given size; a control without a size counts as inside.
bool startsInside(const Control& c, int width, int height) {
    if (c.left() >= width || c.top() >= height)
        return false;
    return (c.width() <= 0 || c.left() + c.width() > 0) && (c.height() <= 0 || c.top() + c.height() > 0);
}

bool sameGroup(const Control& a, const Control& b) {
    return a.kind() == ControlKind::OptionButton && b.kind() == ControlKind::OptionButton &&
           a.container() == b.container();
}

std::vector<Control*> reachableGroup(const Control& option) {
    std::vector<Control*> group;
    for (const auto& c : option.form().controls())
        if (sameGroup(*c, option) && reachable(*c))
            group.push_back(c.get());
    return group;
}

// Where a control stands in the Tab order: an option group stands where its first button does.
int position(const Form& form, const Control& control) {
    const auto& controls = form.controls();
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i].get() == &control || sameGroup(*controls[i], control))
            return static_cast<int>(i);
    return -1;
}

} // namespace

bool reachable(const Control& control) {
    if (!control.acceptsInput())
        return false;
    for (const Control* c = &control; c; c = c->container()) {
        const Control* outer = c->container();
        const int width = outer ? outer->width() : c->form().width();
        const int height = outer ? outer->height() : c->form().height();
        if (!startsInside(*c, width, height))
            return false;
    }
    return true;
}

std::vector<Control*> tabStops(const Form& form) {
    std::vector<Control*> stops;
    for (const auto& c : form.controls()) {
        if (!takesFocus(c->kind()) || !reachable(*c))
            continue;
        if (c->kind() != ControlKind::OptionButton) {
            stops.push_back(c.get());
            continue;
        }
        const auto group = reachableGroup(*c);
        if (group.front() != c.get())
            continue; // the group was counted at its first button
        const auto selected = std::find_if(group.begin(), group.end(), [](Control* o) {
            const auto* option = dynamic_cast<OptionButton*>(o);
            return option && option->value();
        });
        stops.push_back(selected != group.end() ? *selected : group.front());
    }
    return stops;
}

Control* nextTabStop(const Form& form, const Control* from, bool forward) {
    const auto stops = tabStops(form);
    if (stops.empty())
        return nullptr;
    const int here = from ? position(form, *from) : -1;
    if (here < 0)
        return forward ? stops.front() : stops.back();
    if (forward) {
        for (Control* stop : stops)
            if (position(form, *stop) > here)
                return stop;
        return stops.front();
    }
    for (auto it = stops.rbegin(); it != stops.rend(); ++it)
        if (position(form, **it) < here)
            return *it;
    return stops.back();
}

Control* nextOption(const Control& option, bool forward) {
    if (option.kind() != ControlKind::OptionButton)
        return nullptr;
    const auto group = reachableGroup(option);
    // The focused button itself may have become unreachable; its neighbours are still found.
    std::vector<Control*> ring;
    for (const auto& c : option.form().controls())
        if (c.get() == &option || std::find(group.begin(), group.end(), c.get()) != group.end())
            ring.push_back(c.get());
    if (ring.size() < 2)
        return nullptr;
    const auto at = std::find(ring.begin(), ring.end(), &option) - ring.begin();
    const auto count = static_cast<std::ptrdiff_t>(ring.size());
    const auto next = (at + (forward ? 1 : count - 1)) % count;
    return ring[static_cast<size_t>(next)];
}

} // namespace qs::forms
