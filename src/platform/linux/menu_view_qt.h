#pragma once

#include "../../forms/menu_item.h"

#include <map>
#include <memory>

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
    void clicked(forms::MenuItem& item);

    FormView& owner_;
    QMenuBar* bar_;
    std::map<const forms::MenuItem*, QAction*> actions_;
};

// A pop-up of a menu's items, shown as on the bar, with defaultItem (if any) as its bold default.
std::unique_ptr<QMenu> popupMenuOf(const forms::MenuItem& menu, const forms::MenuItem* defaultItem);
// The item an action of such a pop-up stands for.
forms::MenuItem* popupItem(const QAction* action);

} // namespace qs::linuxos
