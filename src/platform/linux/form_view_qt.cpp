#include "form_view_qt.h"

#include "../../forms/label.h"
#include "../../forms/tab_order.h"
#include "captions_qt.h"
#include "control_view_qt.h"
#include "fonts_qt.h"
#include "icons_qt.h"
#include "menu_view_qt.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace qs::linuxos {

// The top-level window: its close box asks the model, which decides.
class FormWindow : public QWidget {
public:
    std::function<void()> onClose;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (onClose)
            onClose();
    }
};

namespace {

// The client area under the menu bar: the form's Paint draws on it, under the controls.
class FormClient : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void(QPainter&)> onPaint;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (onPaint)
            onPaint(painter);
    }
};

} // namespace

FormView::FormView(forms::Form& form) : form_(form), window_(new FormWindow) {
    window_->setObjectName(QString::fromStdString(form.name()));
    window_->setFont(dialogFont());
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    window_->onClose = [this] {
        if (attached_)
            form_.close(forms::kFormControlMenu);
    };
    menus_ = std::make_unique<MenuView>(*this, window_);
    menus_->build(form.menus());
    auto* client = new FormClient(window_);
    client->setObjectName(QStringLiteral("client"));
    client->onPaint = [this](QPainter& painter) {
        if (!attached_)
            return;
        painter_ = &painter;
        form_.paint();
        painter_ = nullptr;
    };
    client_ = client;
    applyFlags();
    applyGeometry();
    for (const auto& control : form.controls())
        ensureView(*control);
    giveBuddies();
    for (auto& [control, view] : views_)
        view->syncAll();
    formChanged(forms::Property::Caption);
    formChanged(forms::Property::Icon);
    setParent(window_); // last child, so it goes after every widget
}

FormView::~FormView() = default;

QWidget* FormView::window() const {
    return window_;
}

ControlView* FormView::ensureView(forms::Control& control) {
    if (auto it = views_.find(&control); it != views_.end())
        return it->second.get();
    QWidget* parent = client_;
    if (forms::Control* container = control.container())
        if (ControlView* outer = ensureView(*container))
            parent = outer->widget();
    auto view = makeControlView(*this, control, parent);
    if (!view)
        return nullptr;
    ControlView* raw = view.get();
    controlOf_[raw->widget()] = &control;
    views_[&control] = std::move(view);
    return raw;
}

void FormView::giveBuddies() {
    // A label's access key moves the focus to the next control that takes it.
    const auto& controls = form_.controls();
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->kind() != forms::ControlKind::Label || !hasMnemonic(controls[i]->caption()))
            continue;
        for (size_t j = i + 1; j < controls.size(); ++j) {
            QWidget* next = widgetOf(*controls[j]);
            if (next && next->focusPolicy() != Qt::NoFocus) {
                static_cast<QLabel*>(widgetOf(*controls[i]))->setBuddy(next);
                break;
            }
        }
    }
}

void FormView::detach() {
    if (!attached_)
        return;
    attached_ = false;
    window_->onClose = nullptr;
    window_->hide();
}

void FormView::applyFlags() {
    Qt::WindowFlags flags =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    flags |= form_.borderStyle() == forms::BorderStyle::FixedDialog ? Qt::Dialog : Qt::Window;
    if (form_.minButton())
        flags |= Qt::WindowMinimizeButtonHint;
    if (form_.topMost())
        flags |= Qt::WindowStaysOnTopHint;
    if (window_->windowFlags() == flags)
        return;
    const bool visible = window_->isVisible();
    window_->setWindowFlags(flags); // hides a shown window
    if (visible)
        window_->show();
}

void FormView::applyGeometry() {
    const int width = std::max(pixels(form_.width()) - kFrameWidth, 40);
    const int height = std::max(pixels(form_.height()) - kFrameHeight, 20);
    window_->setFixedSize(width, height);
    layoutClient();
    if (form_.left() >= 0 && form_.top() >= 0) {
        window_->move(pixels(form_.left()), pixels(form_.top()));
        placed_ = true;
    } else if (!placed_) {
        // Centred as the whole Windows window would be, frame included.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        window_->move(area.center() - QPoint(pixels(form_.width()) / 2, pixels(form_.height()) / 2));
    }
}

void FormView::layoutClient() {
    const int barHeight = menus_->shown() ? menus_->bar()->sizeHint().height() : 0;
    menus_->bar()->setVisible(barHeight > 0);
    menus_->bar()->setGeometry(0, 0, window_->width(), barHeight);
    client_->setGeometry(0, barHeight, window_->width(), window_->height() - barHeight);
    for (auto& [control, view] : views_)
        if (control->kind() == forms::ControlKind::StatusBar)
            view->sync(forms::Property::Geometry);
}

void FormView::show(bool modal) {
    const Qt::WindowModality modality = modal ? Qt::ApplicationModal : Qt::NonModal;
    if (window_->windowModality() != modality) {
        window_->hide(); // modality takes effect on the next show
        window_->setWindowModality(modality);
    }
    place();
    window_->show();
    window_->raise();
    window_->activateWindow();
    // As in a dialog, the first control in Tab order has the focus, unless one still has it.
    const QWidget* current = window_->focusWidget();
    const forms::Control* at = current ? controlAt(current) : nullptr;
    if (!at || !forms::reachable(*at))
        focus(forms::nextTabStop(form_, nullptr, true));
}

void FormView::place() {
    if (!placed_ && (form_.left() < 0 || form_.top() < 0)) {
        applyGeometry();
        placed_ = true;
    }
}

void FormView::minimize() {
    place();
    window_->showMinimized();
}

void FormView::restore() {
    if (!window_->isMinimized())
        return;
    window_->showNormal();
    window_->activateWindow();
}

void FormView::focus(const forms::Control* control) {
    if (QWidget* widget = control ? widgetOf(*control) : nullptr)
        widget->setFocus(Qt::TabFocusReason);
}

bool FormView::navigate(const QWidget* receiver, const QKeyEvent& key) {
    if (!attached_ || key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    forms::Control* control = controlAt(receiver);
    bool forward = true;
    switch (key.key()) {
    case Qt::Key_Backtab:
        forward = false;
        [[fallthrough]];
    case Qt::Key_Tab:
        // The model's order: hidden, disabled and out-of-sight controls and all but one option
        // of a group are passed over, and a time field does not keep Tab for its sections.
        focus(forms::nextTabStop(form_, control, forward && !(key.modifiers() & Qt::ShiftModifier)));
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
        forward = false;
        [[fallthrough]];
    case Qt::Key_Right:
    case Qt::Key_Down:
        break;
    default:
        return false;
    }
    if (!control)
        return false;
    const forms::ControlKind kind = control->kind();
    if (kind == forms::ControlKind::OptionButton) {
        // The arrows select the next option of the group, as Windows does.
        if (forms::Control* next = forms::nextOption(*control, forward)) {
            next->userClick();
            if (attached_)
                focus(next);
        }
        return true;
    }
    // A check box or button is a group of its own: the arrows go nowhere.
    return kind == forms::ControlKind::CheckBox || kind == forms::ControlKind::Button;
}

bool FormView::menuClaims(const QKeyEvent& key) const {
    return attached_ && menus_->claims(QKeySequence(key.keyCombination()));
}

void FormView::hide() {
    window_->hide();
}

void FormView::formChanged(forms::Property what) {
    switch (what) {
    case forms::Property::Caption:
        window_->setWindowTitle(QString::fromStdString(form_.caption()));
        break;
    case forms::Property::Icon:
        window_->setWindowIcon(programIcon(form_.icon()));
        break;
    case forms::Property::Geometry:
        applyGeometry();
        break;
    case forms::Property::TopMost:
    case forms::Property::Style:
        applyFlags();
        break;
    default:
        break;
    }
}

void FormView::controlChanged(forms::Control& control, forms::Property what) {
    if (ControlView* view = ensureView(control))
        view->sync(what);
}

void FormView::menuChanged(forms::MenuItem& item) {
    menus_->changed(item);
    layoutClient();
}

void FormView::drawIcon(int iconId, int x, int y) {
    if (painter_)
        stockIcon(iconId).paint(painter_, QRect(x, y, 32, 32));
}

forms::Control* FormView::controlAt(const QWidget* widget) const {
    for (; widget && widget != window_; widget = widget->parentWidget())
        if (auto it = controlOf_.find(widget); it != controlOf_.end())
            return it->second;
    return nullptr;
}

QWidget* FormView::widgetOf(const forms::Control& control) const {
    const auto it = views_.find(&control);
    return it == views_.end() ? nullptr : it->second->widget();
}

QAction* FormView::actionOf(const forms::MenuItem& item) const {
    return menus_->actionOf(item);
}

} // namespace qs::linuxos
