#include "menu_view_qt.h"

#include "captions_qt.h"
#include "form_view_qt.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace qs::linuxos {

namespace {

void apply(const forms::MenuItem& item, QAction* action) {
    if (!item.isSeparator())
        action->setText(mnemonicText(item.caption()));
    if (!item.shortcut().empty())
        action->setShortcut(
            QKeySequence::fromString(QString::fromStdString(item.shortcut()), QKeySequence::PortableText));
    action->setEnabled(item.enabled());
    action->setVisible(item.visible());
}

void addPopupItems(QMenu* popup, const forms::MenuItem& parent, const forms::MenuItem* defaultItem) {
    for (const auto& child : parent.children()) {
        QAction* action = nullptr;
        if (child->isSeparator()) {
            action = popup->addSeparator();
        } else if (child->children().empty()) {
            action = popup->addAction(QString());
            action->setData(QVariant::fromValue(static_cast<void*>(child.get())));
        } else {
            auto* sub = new QMenu(popup);
            addPopupItems(sub, *child, defaultItem);
            action = popup->addMenu(sub);
        }
        apply(*child, action);
        if (child.get() == defaultItem)
            popup->setDefaultAction(action);
    }
}

} // namespace

std::unique_ptr<QMenu> popupMenuOf(const forms::MenuItem& menu, const forms::MenuItem* defaultItem) {
    auto popup = std::make_unique<QMenu>();
    addPopupItems(popup.get(), menu, defaultItem);
    return popup;
}

forms::MenuItem* popupItem(const QAction* action) {
    return action ? static_cast<forms::MenuItem*>(action->data().value<void*>()) : nullptr;
}

MenuView::MenuView(FormView& owner, QWidget* window) : owner_(owner), bar_(new QMenuBar(window)) {}

void MenuView::build(const std::vector<std::unique_ptr<forms::MenuItem>>& menus) {
    for (const auto& top : menus) {
        QAction* action = nullptr;
        if (top->children().empty()) {
            action = leaf(bar_, *top);
        } else {
            auto* menu = new QMenu(bar_);
            addChildren(menu, *top);
            action = bar_->addMenu(menu);
            // A menu's own Click comes as it opens.
            QObject::connect(menu, &QMenu::aboutToShow, menu, [this, item = top.get()] { clicked(*item); });
        }
        actions_[top.get()] = action;
        apply(*top, action);
    }
}

void MenuView::addChildren(QMenu* menu, forms::MenuItem& parent) {
    for (const auto& child : parent.children()) {
        QAction* action = nullptr;
        if (child->isSeparator()) {
            action = menu->addSeparator();
        } else if (child->children().empty()) {
            action = leaf(menu, *child);
        } else {
            auto* sub = new QMenu(menu);
            addChildren(sub, *child);
            action = menu->addMenu(sub);
        }
        actions_[child.get()] = action;
        apply(*child, action);
    }
}

QAction* MenuView::leaf(QWidget* container, forms::MenuItem& item) {
    auto* action = new QAction(container);
    container->addAction(action);
    QObject::connect(action, &QAction::triggered, action, [this, &item] { clicked(item); });
    return action;
}

void MenuView::clicked(forms::MenuItem& item) {
    if (owner_.attached() && item.acceptsInput())
        item.userClick();
}

bool MenuView::shown() const {
    for (const auto& [item, action] : actions_)
        if (!item->parent() && action->isVisible())
            return true;
    return false;
}

void MenuView::changed(forms::MenuItem& item) {
    if (QAction* action = actionOf(item))
        apply(item, action);
}

bool MenuView::claims(const QKeySequence& keys) const {
    for (const auto& [item, action] : actions_)
        if (!item->shortcut().empty() && action->shortcut() == keys && item->acceptsInput())
            return true;
    return false;
}

QAction* MenuView::actionOf(const forms::MenuItem& item) const {
    const auto it = actions_.find(&item);
    return it == actions_.end() ? nullptr : it->second;
}

} // namespace qs::linuxos
