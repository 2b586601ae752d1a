#include "status_bar_qt.h"

#include "captions_qt.h"
#include "time_format_linux.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QTime>

namespace qs::linuxos {

// A panel that shows its whole text: where the text is wider than the panel (the panel widths
// were made for a narrower Windows font), its font gets smaller until the text fits.
class PanelLabel : public QLabel {
public:
    explicit PanelLabel(QWidget* parent) : QLabel(parent) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setTextFormat(Qt::PlainText);
        setContentsMargins(2, 0, 2, 0);
        setIndent(0);
    }

    void setPanelText(const QString& text) {
        if (text == this->text())
            return;
        setText(text);
        fit();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        fit();
    }

private:
    void fit() {
        QFont font = parentWidget()->font();
        const int room = contentsRect().width();
        if (font.pointSizeF() > 0)
            for (qreal size = font.pointSizeF(); size >= kSmallest; size -= 0.5) {
                font.setPointSizeF(size);
                if (QFontMetrics(font).horizontalAdvance(text()) <= room)
                    break;
            }
        if (font != this->font())
            setFont(font);
    }

    static constexpr qreal kSmallest = 6; // points: still readable
};

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    minuteTimer_.setSingleShot(true);
    minuteTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&minuteTimer_, &QTimer::timeout, this, [this] { refreshClock(); });
}

std::vector<QLabel*> StatusBarWidget::panels() const {
    return {labels_.begin(), labels_.end()};
}

int StatusBarWidget::barHeight() const {
    return std::max(20, fontMetrics().height() + 8);
}

void StatusBarWidget::setPanels(const forms::StatusBar& bar) {
    auto* box = static_cast<QHBoxLayout*>(layout());
    while (static_cast<int>(labels_.size()) > bar.panelCount()) {
        delete labels_.back();
        labels_.pop_back();
    }
    while (static_cast<int>(labels_.size()) < bar.panelCount()) {
        auto* label = new PanelLabel(this);
        box->addWidget(label);
        labels_.push_back(label);
    }
    std::vector<bool> clock(labels_.size(), false);
    for (int i = 0; i < bar.panelCount(); ++i) {
        const forms::StatusPanel& panel = bar.panel(i + 1);
        PanelLabel* label = labels_[static_cast<size_t>(i)];
        clock[static_cast<size_t>(i)] = panel.clock;
        const int stretch = panel.width > 0 ? 0 : 1;
        if (panel.width > 0) {
            label->setFixedWidth(pixels(panel.width));
            label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        } else {
            // What is left of the bar, however long the text: the text fits itself in.
            label->setMinimumWidth(0);
            label->setMaximumWidth(QWIDGETSIZE_MAX);
            label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        }
        // Setting a stretch invalidates the layout even when it is the same one.
        if (box->stretch(i) != stretch)
            box->setStretch(i, stretch);
        label->setAlignment(panel.clock ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        if (!panel.clock)
            label->setPanelText(multiLineText(panel.text).simplified());
        label->setToolTip(QString::fromStdString(panel.toolTip));
    }
    // A countdown changes a text panel every second; the clock panels keep their minute timer.
    if (clock != clock_) {
        clock_ = std::move(clock);
        refreshClock();
    }
}

void StatusBarWidget::refreshClock() {
    bool any = false;
    const QTime now = QTime::currentTime();
    const QLocale locale = QLocale::system();
    const QString text = locale.toString(now, hoursAndMinutesFormat(locale));
    for (size_t i = 0; i < labels_.size(); ++i) {
        if (clock_[i]) {
            labels_[i]->setPanelText(text);
            any = true;
        }
    }
    if (!any) {
        minuteTimer_.stop();
        return;
    }
    // A little past the boundary, so the new minute is certainly there.
    const int msToNextMinute = 60000 - now.msecsSinceStartOfDay() % 60000 + 20;
    minuteTimer_.start(msToNextMinute);
}

} // namespace qs::linuxos
