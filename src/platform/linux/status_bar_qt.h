#pragma once

#include "../../forms/status_bar.h"

#include <QTimer>
#include <QWidget>
#include <vector>

class QLabel;

namespace qs::linuxos {

class PanelLabel;

// A status bar's panels in sunken frames. A clock panel shows hours and minutes and is refreshed
// once at each minute boundary, so an idle program stays idle.
class StatusBarWidget : public QWidget {
public:
    explicit StatusBarWidget(QWidget* parent);

    void setPanels(const forms::StatusBar& bar);
    // The height it takes along the bottom edge.
    int barHeight() const;
    // The panel labels, for tests.
    std::vector<QLabel*> panels() const;
    // How long until the clock panels are refreshed, in ms; -1 with no clock panel.
    int msToRefresh() const { return minuteTimer_.isActive() ? minuteTimer_.remainingTime() : -1; }

private:
    void refreshClock();

    std::vector<PanelLabel*> labels_;
    std::vector<bool> clock_;
    QTimer minuteTimer_;
};

} // namespace qs::linuxos
