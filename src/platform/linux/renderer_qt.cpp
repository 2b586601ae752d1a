#include "renderer_qt.h"

#include "../../forms/application.h"
#include "captions_qt.h"
#include "event_hook_qt.h"
#include "fonts_qt.h"
#include "form_view_qt.h"
#include "menu_view_qt.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QSessionManager>
#include <algorithm>

namespace qs::linuxos {

namespace {

// Whatever made a loop's condition true ran in an event; make sure the loop looks again.
void wakeLoop() {
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

} // namespace

RendererQt::RendererQt() : context_(std::make_unique<QObject>()) {
    qApp->installEventFilter(new EventHook(context_.get(), [this](QObject* receiver, QEvent* event) {
        // The session manager's last word ("die") comes as a quit event to the application.
        if (receiver == qApp && event->type() == QEvent::Quit) {
            sessionEnds();
            return false;
        }
        return keyEvent(receiver, event);
    }));
    QObject::connect(qApp, &QApplication::focusChanged, context_.get(),
                     [this](QWidget*, QWidget* now) { focusMoved(now); });
    // The session manager asks first; only a refusal asks it for the user's attention, to cancel.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, context_.get(), [this](QSessionManager& manager) {
        const bool agreed = !app_ || app_->querySessionEnd();
        wakeLoop();
        if (!agreed && manager.allowsInteraction())
            manager.cancel();
    });
}

RendererQt::~RendererQt() {
    context_.reset(); // no more events reach us
    for (auto& [form, view] : views_) {
        view->detach();
        dying_.push_back(view->window());
    }
    views_.clear();
    for (auto& window : dying_)
        delete window.data();
}

FormView* RendererQt::find(const forms::Form& form) const {
    const auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second;
}

FormView* RendererQt::ensure(forms::Form& form) {
    if (FormView* view = find(form))
        return view;
    app_ = &form.app();
    auto* view = new FormView(form);
    views_[&form] = view;
    return view;
}

void RendererQt::dispose(const forms::Form& form) {
    FormView* view = find(form);
    if (!view)
        return;
    views_.erase(&form);
    if (chosen_ && &chosen_->form() == &form)
        chosen_ = nullptr;
    view->detach();
    // Later: the call that got here may come from one of the window's own widgets.
    dying_.push_back(view->window());
    view->window()->deleteLater();
    dying_.erase(std::remove(dying_.begin(), dying_.end(), nullptr), dying_.end());
}

void RendererQt::formLoaded(forms::Form& form) {
    ensure(form);
}

void RendererQt::formShown(forms::Form& form, bool modal) {
    ensure(form)->show(modal);
}

void RendererQt::formHidden(forms::Form& form) {
    if (FormView* view = find(form))
        view->hide();
    wakeLoop();
}

void RendererQt::formMinimized(forms::Form& form) {
    if (FormView* view = find(form))
        view->minimize();
}

void RendererQt::formRestored(forms::Form& form) {
    if (FormView* view = find(form))
        view->restore();
}

void RendererQt::formUnloaded(forms::Form& form) {
    dispose(form);
    wakeLoop();
}

void RendererQt::formDestroyed(forms::Form& form) {
    // The window may outlive the model only as an empty shell on its way out.
    dispose(form);
}

void RendererQt::formChanged(forms::Form& form, forms::Property what) {
    if (FormView* view = find(form))
        view->formChanged(what);
}

void RendererQt::controlChanged(forms::Control& control, forms::Property what) {
    if (FormView* view = find(control.form()))
        view->controlChanged(control, what);
}

void RendererQt::menuChanged(forms::MenuItem& item) {
    if (FormView* view = find(item.form()))
        view->menuChanged(item);
}

void RendererQt::programEnded() {
    std::vector<const forms::Form*> forms;
    for (const auto& [form, view] : views_)
        forms.push_back(form);
    for (const forms::Form* form : forms)
        dispose(*form);
    // A message box still open would keep its own loop, and the handler under it, running.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(top); dialog && dialog->isVisible())
            dialog->reject();
    wakeLoop();
}

void RendererQt::drawIcon(forms::Form& form, int iconId, int x, int y) {
    if (FormView* view = find(form))
        view->drawIcon(iconId, x, y);
}

void RendererQt::popupMenu(forms::Form&, forms::MenuItem& menu, forms::MenuItem* defaultItem) {
    const std::unique_ptr<QMenu> popup = popupMenuOf(menu, defaultItem);
    forms::MenuItem* item = popupItem(popup->exec(QCursor::pos()));
    if (!item)
        return;
    // The Click comes after the caller has returned: it opened the pop-up from inside a tray
    // notification, and the item may end the program.
    chosen_ = item;
    QMetaObject::invokeMethod(
        context_.get(),
        [this] {
            forms::MenuItem* item = std::exchange(chosen_, nullptr);
            if (item && item->acceptsInput())
                item->userClick();
        },
        Qt::QueuedConnection);
}

int RendererQt::textWidth(const forms::Control& control, const std::string& text) {
    return twips(linuxos::textWidth(control, text));
}

FormView* RendererQt::viewOfWindow(const QWidget* window) const {
    for (const auto& [form, view] : views_)
        if (view->window() == window && view->attached())
            return view;
    return nullptr;
}

bool RendererQt::keyEvent(QObject* receiver, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    FormView* view = widget ? viewOfWindow(widget->window()) : nullptr;
    if (!view)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // As on Windows the menu's shortcuts come first: a text field keeps Ctrl+X or Ctrl+A
        // (cut, select all) only where no menu item has them.
        if (!view->menuClaims(*key))
            return false;
        event->ignore();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        // Esc goes to the form first (key preview), which presses its cancel button.
        view->form().keyDown(forms::kKeyEscape);
        return true;
    }
    return view->navigate(widget, *key);
}

void RendererQt::focusMoved(QWidget* now) {
    if (!now)
        return;
    for (const auto& [form, view] : views_) {
        if (!view->attached() || now->window() != view->window())
            continue;
        if (forms::Control* control = view->controlAt(now))
            view->form().setFocus(*control);
        return;
    }
}

void RendererQt::sessionEnds() {
    if (app_) {
        // Nobody asked before a signal, and the forms' answer cannot stop the end: they are asked
        // for what they do at the session's end, then unloaded.
        app_->querySessionEnd();
        app_->endSession();
    }
    wakeLoop();
}

QWidget* RendererQt::window(const forms::Form& form) const {
    FormView* view = find(form);
    return view ? view->window() : nullptr;
}

QWidget* RendererQt::widget(const forms::Control& control) const {
    FormView* view = find(control.form());
    return view ? view->widgetOf(control) : nullptr;
}

QAction* RendererQt::action(const forms::MenuItem& item) const {
    FormView* view = find(item.form());
    return view ? view->actionOf(item) : nullptr;
}

} // namespace qs::linuxos
