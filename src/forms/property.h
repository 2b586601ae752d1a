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
    ForeColor,
    Selection,
    List,
    ListIndex,
    Range,
    Panels,
    Font,
    TopMost,
    Alignment, // a label's
    MaxLength, // a text box's
    Picture,   // an image's
    Style,     // a form's border style and minimise button
    Icon,      // a form's
};

// Every property of a control, in the order a new native view applies them: its place and font
// before its contents, and whether it is enabled and shown last.
inline constexpr Property kControlProperties[] = {
    Property::Geometry,  Property::Font,      Property::Caption, Property::Alignment, Property::Picture,
    Property::Text,      Property::MaxLength, Property::List,    Property::Range,     Property::Value,
    Property::ListIndex, Property::Selection, Property::Panels,  Property::ToolTip,   Property::BackColor,
    Property::ForeColor, Property::Enabled,   Property::Visible,
};

} // namespace qs::forms
