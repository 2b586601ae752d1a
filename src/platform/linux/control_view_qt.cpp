#include "control_view_qt.h"

#include "../../forms/button.h"
#include "../../forms/check_box.h"
#include "../../forms/combo_box.h"
#include "../../forms/control_cast.h"
#include "../../forms/image.h"
#include "../../forms/label.h"
#include "../../forms/option_button.h"
#include "../../forms/progress_bar.h"
#include "../../forms/scroll_bar.h"
#include "../../forms/status_bar.h"
#include "../../forms/tab_order.h"
#include "../../forms/text_box.h"
#include "../../forms/time_picker.h"
#include "captions_qt.h"
#include "event_hook_qt.h"
#include "fonts_qt.h"
#include "form_view_qt.h"
#include "icons_qt.h"
#include "status_bar_qt.h"
#include "text_box_qt.h"
#include "time_format_linux.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimeEdit>

namespace qs::linuxos {

namespace {

using forms::ControlKind;
using forms::Property;

// A check box or option button whose click asks the model instead of toggling itself.
template <class Base> class ModelButton : public Base {
public:
    explicit ModelButton(QWidget* parent) : Base(parent) {}
    std::function<void()> onClick;

protected:
    void nextCheckState() override {
        if (onClick)
            onClick();
    }
};

class Guard {
public:
    explicit Guard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Guard() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

// The kinds without behaviour of their own beyond what they show.
class PlainView : public ControlView {
public:
    PlainView(FormView& owner, forms::Control& control, QWidget* parent) : ControlView(owner, control) {
        switch (control.kind()) {
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            setWidget(label);
            break;
        }
        case ControlKind::Frame:
            setWidget(new QGroupBox(parent));
            break;
        case ControlKind::Image:
            setWidget(new QLabel(parent));
            break;
        case ControlKind::ProgressBar: {
            auto* bar = new QProgressBar(parent);
            bar->setTextVisible(false);
            setWidget(bar);
            break;
        }
        case ControlKind::StatusBar:
            setWidget(new StatusBarWidget(parent));
            break;
        default:
            setWidget(new QWidget(parent));
            break;
        }
    }

    void sync(Property what) override {
        ControlView::sync(what);
        switch (control_.kind()) {
        case ControlKind::Label:
            // Geometry too: a label that sizes itself to its text shows it only by a new width.
            if (what == Property::Caption || what == Property::Alignment || what == Property::Geometry)
                syncLabel();
            break;
        case ControlKind::Frame:
            if (what == Property::Caption)
                static_cast<QGroupBox*>(widget_)->setTitle(mnemonicText(control_.caption()));
            break;
        case ControlKind::Image:
            if (what == Property::Picture || what == Property::Geometry) {
                const auto& image = forms::controlAs<forms::Image>(control_);
                const QSize size(std::max(pixels(control_.width()), 16), std::max(pixels(control_.height()), 16));
                static_cast<QLabel*>(widget_)->setPixmap(programIcon(image.picture()).pixmap(size));
            }
            break;
        case ControlKind::ProgressBar:
            if (what == Property::Range || what == Property::Value) {
                const auto& model = forms::controlAs<forms::ProgressBar>(control_);
                auto* bar = static_cast<QProgressBar*>(widget_);
                bar->setRange(std::min(model.min(), model.max()), std::max(model.min(), model.max()));
                bar->setValue(std::clamp(model.value(), bar->minimum(), bar->maximum()));
            }
            break;
        case ControlKind::StatusBar:
            if (what == Property::Panels)
                static_cast<StatusBarWidget*>(widget_)->setPanels(forms::controlAs<forms::StatusBar>(control_));
            if (what == Property::Geometry || what == Property::Panels)
                placeAlongBottom();
            break;
        default:
            break;
        }
    }

private:
    void syncLabel() {
        auto* label = static_cast<QLabel*>(widget_);
        const auto& model = forms::controlAs<forms::Label>(control_);
        // An auto-sized label is as wide as its text and stays on one line.
        label->setWordWrap(!model.autoSize());
        const forms::Alignment alignment = model.alignment();
        const Qt::Alignment horizontal = alignment == forms::Alignment::Right    ? Qt::AlignRight
                                         : alignment == forms::Alignment::Center ? Qt::AlignHCenter
                                                                                 : Qt::AlignLeft;
        label->setAlignment(horizontal | Qt::AlignTop);
        // An access key needs a buddy to go to; the form gives one where it finds one.
        const std::string& caption = control_.caption();
        label->setText(label->buddy() && hasMnemonic(caption) ? mnemonicText(caption) : plainText(caption));
    }

    void placeAlongBottom() {
        QWidget* parent = widget_->parentWidget();
        const int height = static_cast<StatusBarWidget*>(widget_)->barHeight();
        widget_->setGeometry(0, parent->height() - height, parent->width(), height);
    }
};

class ButtonView : public ControlView {
public:
    ButtonView(FormView& owner, forms::Control& control, QWidget* parent) : ControlView(owner, control) {
        QWidget* widget = nullptr;
        if (control.kind() == ControlKind::Button) {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(false);
            QObject::connect(button, &QPushButton::clicked, button, [this] { click(); });
            widget = button;
        } else if (control.kind() == ControlKind::CheckBox) {
            auto* box = new ModelButton<QCheckBox>(parent);
            box->onClick = [this] { click(); };
            widget = box;
        } else {
            auto* option = new ModelButton<QRadioButton>(parent);
            option->setAutoExclusive(false); // the model clears the siblings
            option->onClick = [this] { click(); };
            widget = option;
        }
        setWidget(widget);
    }

    void sync(Property what) override {
        ControlView::sync(what);
        auto* button = static_cast<QAbstractButton*>(widget_);
        if (what == Property::Caption)
            button->setText(mnemonicText(control_.caption()));
        if (what != Property::Value)
            return;
        if (control_.kind() == ControlKind::CheckBox) {
            const int value = forms::controlAs<forms::CheckBox>(control_).value();
            static_cast<QCheckBox*>(button)->setCheckState(value == 1   ? Qt::Checked
                                                           : value == 2 ? Qt::PartiallyChecked
                                                                        : Qt::Unchecked);
        } else if (control_.kind() == ControlKind::OptionButton) {
            button->setChecked(forms::controlAs<forms::OptionButton>(control_).value());
        }
    }

private:
    void click() {
        if (!live() || !forms::reachable(control_))
            return;
        control_.userClick();
        if (live())
            sync(Property::Value);
    }
};

class ComboView : public ControlView {
public:
    ComboView(FormView& owner, forms::ComboBox& combo, QWidget* parent) : ControlView(owner, combo), combo_(combo) {
        auto* box = new QComboBox(parent);
        box->setEditable(false);
        QObject::connect(box, &QComboBox::currentIndexChanged, box, [this](int index) {
            if (syncing_ || !live() || !combo_.acceptsInput())
                return;
            combo_.setListIndex(index);
            if (live())
                sync(Property::ListIndex);
        });
        setWidget(box);
    }

    void sync(Property what) override {
        ControlView::sync(what);
        auto* box = static_cast<QComboBox*>(widget_);
        const Guard guard(syncing_);
        if (what == Property::List) {
            box->clear();
            for (const auto& item : combo_.items())
                box->addItem(QString::fromStdString(item));
        }
        if (what == Property::List || what == Property::ListIndex)
            box->setCurrentIndex(combo_.listIndex());
    }

private:
    forms::ComboBox& combo_;
};

// A vertical scroll bar used as up/down: its up arrow raises the value, so the widget runs on
// the negated range.
class ScrollView : public ControlView {
public:
    ScrollView(FormView& owner, forms::ScrollBar& bar, QWidget* parent) : ControlView(owner, bar), bar_(bar) {
        auto* widget = new QScrollBar(Qt::Vertical, parent);
        QObject::connect(widget, &QScrollBar::valueChanged, widget, [this, widget](int value) {
            if (syncing_ || !live() || !bar_.acceptsInput())
                return;
            bar_.setValue(-value);
            // Dragging the box is Scroll as well as Change.
            if (live() && widget->isSliderDown())
                bar_.raise(bar_.Scroll, "Scroll");
            if (live())
                sync(Property::Value);
        });
        setWidget(widget);
    }

    void sync(Property what) override {
        ControlView::sync(what);
        if (what != Property::Range && what != Property::Value)
            return;
        auto* widget = static_cast<QScrollBar*>(widget_);
        const Guard guard(syncing_);
        widget->setRange(-std::max(bar_.min(), bar_.max()), -std::min(bar_.min(), bar_.max()));
        widget->setSingleStep(std::max(bar_.smallChange(), 1));
        widget->setPageStep(std::max(bar_.smallChange(), 1));
        widget->setValue(-bar_.value());
    }

private:
    forms::ScrollBar& bar_;
};

class TimeView : public ControlView {
public:
    TimeView(FormView& owner, forms::TimePicker& picker, QWidget* parent)
        : ControlView(owner, picker), picker_(picker) {
        auto* edit = new QTimeEdit(parent);
        edit->setDisplayFormat(longTimeFormat(QLocale::system()));
        edit->setWrapping(true);
        QObject::connect(edit, &QTimeEdit::timeChanged, edit, [this](QTime time) {
            if (syncing_ || !live() || !picker_.acceptsInput())
                return;
            picker_.setSecondsOfDay(time.msecsSinceStartOfDay() / 1000);
            if (live())
                sync(Property::Value);
        });
        setWidget(edit);
    }

    void sync(Property what) override {
        ControlView::sync(what);
        if (what != Property::Value)
            return;
        const Guard guard(syncing_);
        static_cast<QTimeEdit*>(widget_)->setTime(QTime(0, 0).addSecs(picker_.secondsOfDay()));
    }

private:
    forms::TimePicker& picker_;
};

} // namespace

ControlView::ControlView(FormView& owner, forms::Control& control) : owner_(owner), control_(control) {}

bool ControlView::live() const {
    return owner_.attached();
}

void ControlView::setWidget(QWidget* widget) {
    widget_ = widget;
    widget_->setObjectName(QString::fromStdString(control_.displayName()));
    // A double click is the control's DblClick wherever the widget takes it.
    widget_->installEventFilter(new EventHook(widget_, [this](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonDblClick && live() && control_.acceptsInput())
            control_.raise(control_.DblClick, "DblClick");
        return false;
    }));
}

void ControlView::syncAll() {
    for (Property what : forms::kControlProperties)
        sync(what);
}

void ControlView::sync(Property what) {
    switch (what) {
    case Property::Geometry:
        widget_->setGeometry(pixels(control_.left()), pixels(control_.top()), pixels(control_.width()),
                             pixels(control_.height()));
        break;
    case Property::Enabled:
        widget_->setEnabled(control_.enabled());
        break;
    case Property::Visible:
        widget_->setVisible(control_.visible());
        break;
    case Property::ToolTip:
        widget_->setToolTip(QString::fromStdString(control_.toolTipText()));
        break;
    case Property::Font:
        widget_->setFont(controlFont(control_));
        break;
    case Property::BackColor:
    case Property::ForeColor:
        applyColours();
        break;
    default:
        break;
    }
}

void ControlView::applyColours() {
    const bool field = control_.kind() == ControlKind::TextBox || control_.kind() == ControlKind::ComboBox ||
                       control_.kind() == ControlKind::TimePicker;
    const std::uint32_t normal = field ? forms::kWindowBackground : forms::kButtonFace;
    const QPalette inherited = widget_->parentWidget() ? widget_->parentWidget()->palette() : QPalette();
    QPalette palette; // what is not set here comes from the parent
    const bool ownBack = control_.backColor() != normal;
    if (ownBack)
        palette.setColor(field ? QPalette::Base : QPalette::Window, qtColour(control_.backColor(), inherited));
    if (control_.foreColor() != forms::kButtonText) {
        // Disabled text stays grey, as on Windows.
        const QColor text = qtColour(control_.foreColor(), inherited);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                palette.setColor(group, role, text);
    }
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(ownBack && !field);
}

std::unique_ptr<ControlView> makeControlView(FormView& owner, forms::Control& control, QWidget* parent) {
    switch (control.kind()) {
    case ControlKind::Timer:
        return nullptr;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        return std::make_unique<ButtonView>(owner, control, parent);
    case ControlKind::TextBox:
        return std::make_unique<TextBoxView>(owner, forms::controlAs<forms::TextBox>(control), parent);
    case ControlKind::ComboBox:
        return std::make_unique<ComboView>(owner, forms::controlAs<forms::ComboBox>(control), parent);
    case ControlKind::ScrollBar:
        return std::make_unique<ScrollView>(owner, forms::controlAs<forms::ScrollBar>(control), parent);
    case ControlKind::TimePicker:
        return std::make_unique<TimeView>(owner, forms::controlAs<forms::TimePicker>(control), parent);
    default:
        return std::make_unique<PlainView>(owner, control, parent);
    }
}

} // namespace qs::linuxos
