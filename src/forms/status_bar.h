#pragma once

#include "control.h"

#include <string>
#include <vector>

namespace qs::forms {

struct StatusPanel {
    std::string text;
    std::string toolTip;
    int width = 0;      // twips; 0 stretches over what is left
    bool clock = false; // shows the current time, kept by the renderer
};

// A status bar along the bottom edge of its form. Panels are numbered from 1.
class StatusBar : public Control {
public:
    static constexpr ControlKind kKind = ControlKind::StatusBar;

    StatusBar(Form& form, std::string name, int index, Control* container)
        : Control(form, kKind, std::move(name), index, container) {}

    void addPanel(StatusPanel panel);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    const StatusPanel& panel(int number) const { return panels_.at(static_cast<size_t>(number - 1)); }
    void setPanelText(int number, const std::string& text);
    void setPanelToolTip(int number, const std::string& tip);

private:
    std::vector<StatusPanel> panels_;
};

} // namespace qs::forms
