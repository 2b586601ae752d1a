#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qs::forms {

class Form;

// A menu of the menu bar or an item in it. A caption of "-" is a separator.
class MenuItem {
public:
    MenuItem(Form& form, std::string name, int index, MenuItem* parent, std::string caption, std::string shortcut);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& name() const { return name_; }
    int index() const { return index_; }
    std::string displayName() const;
    Form& form() const { return form_; }
    MenuItem* parent() const { return parent_; }
    const std::vector<std::unique_ptr<MenuItem>>& children() const { return children_; }
    MenuItem& add(std::string name, std::string caption, std::string shortcut = {}, int index = -1);

    bool isSeparator() const { return caption_ == "-"; }
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    // "Ctrl+A", "F2" or empty.
    const std::string& shortcut() const { return shortcut_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    // Input reaches an item only when it and its parents are enabled; a hidden top menu
    // (the tray's pop-up) still passes clicks to its items.
    bool acceptsInput() const;

    std::function<void()> Click;
    void userClick();

private:
    void changed();

    Form& form_;
    std::string name_;
    int index_;
    MenuItem* parent_;
    std::string caption_;
    std::string shortcut_;
    bool enabled_ = true;
    bool visible_ = true;
    std::vector<std::unique_ptr<MenuItem>> children_;
};

} // namespace qs::forms
