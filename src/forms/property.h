#pragma once

namespace qs::forms {

// What changed on a control or form, so a renderer can bring its native side in step.
enum class Property {
    Caption,
    Text,
    Value,
    Enabled,
    Visible,
    Geometry,
    ToolTip,
    BackColor,
    Selection,
    List,
    ListIndex,
    Range,
    Panels,
    Font,
    TopMost,
};

} // namespace qs::forms
