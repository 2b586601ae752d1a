#pragma once

#include "../../forms/menu_item.h"

#include <map>

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QWidget;

namespace qs::linuxos {

class FormView;

// A form's menus as a QMenuBar: top items with children are menus, a top item without children
// is an action on the bar itself, "-" is a separator, hidden top menus stay off the bar.
class MenuView {
public:
    MenuView(FormView& owner, QWidget* window);

    void build(const std::vector<std::unique_ptr<forms::MenuItem>>& menus);
    QMenuBar* bar() const { return bar_; }
    // Whether the bar shows anything (a form without menus has no bar).
    bool shown() const;
    void changed(forms::MenuItem& item);
    QAction* actionOf(const forms::MenuItem& item) const;
    // Whether an item that takes clicks has this shortcut.
    bool claims(const QKeySequence& keys) const;

private:
    void addChildren(QMenu* menu, forms::MenuItem& parent);
    QAction* leaf(QWidget* container, forms::MenuItem& item);
    void apply(const forms::MenuItem& item, QAction* action);
    void clicked(forms::MenuItem& item);

    FormView& owner_;
    QMenuBar* bar_;
    std::map<const forms::MenuItem*, QAction*> actions_;
};

} // namespace qs::linuxos
