#include "status_bar_qt.h"

#include "captions_qt.h"
#include "time_format_linux.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTime>

namespace qs::linuxos {

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    minuteTimer_.setSingleShot(true);
    minuteTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&minuteTimer_, &QTimer::timeout, this, [this] { refreshClock(); });
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
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setContentsMargins(2, 0, 2, 0);
        box->addWidget(label);
        labels_.push_back(label);
    }
    std::vector<bool> clock(labels_.size(), false);
    for (int i = 0; i < bar.panelCount(); ++i) {
        const forms::StatusPanel& panel = bar.panel(i + 1);
        QLabel* label = labels_[static_cast<size_t>(i)];
        clock[static_cast<size_t>(i)] = panel.clock;
        const int stretch = panel.width > 0 ? 0 : 1;
        if (panel.width > 0) {
            label->setFixedWidth(pixels(panel.width));
        } else {
            label->setMinimumWidth(0);
            label->setMaximumWidth(QWIDGETSIZE_MAX);
        }
        // Setting a stretch invalidates the layout even when it is the same one.
        if (box->stretch(i) != stretch)
            box->setStretch(i, stretch);
        label->setAlignment(panel.clock ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        if (!panel.clock)
            label->setText(multiLineText(panel.text).simplified());
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
            labels_[i]->setText(text);
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
