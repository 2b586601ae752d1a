#pragma once

#include "control.h"

#include <string>
#include <vector>

namespace qs::forms {

// A drop-down list that cannot be typed into. A change of index raises Click.
class ComboBox : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::ComboBox;

    ComboBox(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {
        setBackColor(kWindowBackground);
    }

    void addItem(const std::string& item);
    const std::vector<std::string>& items() const { return items_; }
    int listCount() const { return static_cast<int>(items_.size()); }
    // -1 when nothing is selected.
    int listIndex() const { return listIndex_; }
    // Accepts -1 and the indexes of the list; returns false and changes nothing otherwise.
    bool setListIndex(int index);
    // The selected item's text, empty when nothing is selected.
    std::string text() const;

    std::function<void()> Click;

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

} // namespace qs::forms
