// The value semantics of the simple control kinds.
#include "check_box.h"
#include "combo_box.h"
#include "control_cast.h"
#include "form.h"
#include "option_button.h"
#include "progress_bar.h"
#include "scroll_bar.h"
#include "status_bar.h"
#include "time_picker.h"

#include <algorithm>

namespace qs::forms {

void CheckBox::setValue(int v) {
    if (v == value_)
        return;
    value_ = v;
    changed(Property::Value);
    raise(Click, "Click");
}

void OptionButton::setValue(bool on) {
    if (!on) {
        if (value_) {
            value_ = false;
            changed(Property::Value);
        }
        return;
    }
    for (const auto& c : form().controls()) {
        if (c.get() != this && c->kind() == ControlKind::OptionButton && c->container() == container()) {
            auto& sibling = controlAs<OptionButton>(*c);
            if (sibling.value_) {
                sibling.value_ = false;
                sibling.changed(Property::Value);
            }
        }
    }
    if (!value_) {
        value_ = true;
        changed(Property::Value);
    }
    raise(Click, "Click");
}

void ComboBox::addItem(const std::string& item) {
    items_.push_back(item);
    changed(Property::List);
}

bool ComboBox::setListIndex(int index) {
    if (index < -1 || index >= listCount())
        return false;
    if (index != listIndex_) {
        listIndex_ = index;
        changed(Property::ListIndex);
        raise(Click, "Click");
    }
    return true;
}

std::string ComboBox::text() const {
    return listIndex_ < 0 ? std::string() : items_[static_cast<size_t>(listIndex_)];
}

void ScrollBar::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    changed(Property::Range);
    setValue(value_);
}

void ScrollBar::setValue(int v) {
    v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    if (v == value_)
        return;
    value_ = v;
    changed(Property::Value);
    raise(Change, "Change");
}

void TimePicker::setSecondsOfDay(int seconds) {
    seconds %= 86400;
    if (seconds < 0)
        seconds += 86400;
    if (seconds == seconds_)
        return;
    seconds_ = seconds;
    changed(Property::Value);
    raise(Change, "Change");
}

void ProgressBar::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    changed(Property::Range);
}

void ProgressBar::setValue(int v) {
    if (v == value_)
        return;
    value_ = v;
    changed(Property::Value);
}

void StatusBar::addPanel(StatusPanel panel) {
    panels_.push_back(std::move(panel));
    changed(Property::Panels);
}

void StatusBar::setPanelText(int number, const std::string& text) {
    auto& p = panels_.at(static_cast<size_t>(number - 1));
    if (p.text == text)
        return;
    p.text = text;
    changed(Property::Panels);
}

void StatusBar::setPanelToolTip(int number, const std::string& tip) {
    auto& p = panels_.at(static_cast<size_t>(number - 1));
    if (p.toolTip == tip)
        return;
    p.toolTip = tip;
    changed(Property::Panels);
}

} // namespace qs::forms
