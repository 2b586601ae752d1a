#pragma once

#include "property.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qs::forms {

class Form;

enum class ControlKind {
    Label,
    Frame,
    Panel,
    Image,
    Button,
    CheckBox,
    OptionButton,
    TextBox,
    ComboBox,
    ScrollBar,
    TimePicker,
    ProgressBar,
    StatusBar,
    Timer,
};

// Colours are 0x00BBGGRR; with the high bit set the low byte names a system colour.
constexpr std::uint32_t kSystemColour = 0x80000000u;
constexpr std::uint32_t systemColour(int index) {
    return kSystemColour | static_cast<std::uint32_t>(index);
}
constexpr std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}
constexpr std::uint32_t kWindowBackground = systemColour(5);
constexpr std::uint32_t kButtonFace = systemColour(15);
constexpr std::uint32_t kButtonText = systemColour(18);

// One control of a form: the state the program's logic reads and writes, and the events it handles.
// Geometry is in twips, relative to the container.
class Control {
public:
    Control(Form& form, ControlKind kind, std::string name, int index, Control* container);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }
    // "optExitOption(4)" for an array member, the plain name otherwise.
    std::string displayName() const;
    Form& form() const { return form_; }
    Control* container() const { return container_; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void move(int left, int top, int width, int height);
    void setLeft(int v) { move(v, top_, width_, height_); }
    void setTop(int v) { move(left_, v, width_, height_); }
    void setWidth(int v) { move(left_, top_, v, height_); }
    void setHeight(int v) { move(left_, top_, width_, v); }

    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    // Input reaches a control only when it and every container are enabled and visible.
    bool acceptsInput() const;
    bool shownOnScreen() const;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    const std::string& toolTipText() const { return toolTip_; }
    void setToolTipText(const std::string& tip);
    std::uint32_t backColor() const { return backColor_; }
    void setBackColor(std::uint32_t colour);
    std::uint32_t foreColor() const { return foreColor_; }
    void setForeColor(std::uint32_t colour);
    bool bold() const { return bold_; }
    void setBold(bool on);
    // The typeface and its size in points; an empty name and size 0 take the window's font.
    const std::string& fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    void setFont(const std::string& name, double points);

    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void()> DblClick;

    // A user's click on the control; each kind decides what it means.
    virtual void userClick() {}

    // Runs one of the control's event handlers, named by its event ("Click"); a failure ends that
    // handler only and goes to the error log.
    void raise(const std::function<void()>& handler, const char* event);
    // "frmMain.optExitOption(4).Click"
    std::string handlerName(const char* event) const;

protected:
    void changed(Property what);
    virtual void enabledChanged() {}
    virtual void captionChanged() {}
    virtual void fontChanged() {}

private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Control* container_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool enabled_ = true;
    bool visible_ = true;
    std::string caption_;
    std::string toolTip_;
    std::uint32_t backColor_ = kButtonFace;
    std::uint32_t foreColor_ = kButtonText;
    bool bold_ = false;
    std::string fontName_;
    double fontSize_ = 0;
};

} // namespace qs::forms
