#include "icons_qt.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QStyle>

namespace qs::linuxos {

namespace {

// A round button with the power symbol.
QPixmap powerButton(int size, bool active) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
    QRadialGradient fill(disc.center() - QPointF(size * 0.15, size * 0.15), size * 0.6);
    fill.setColorAt(0, active ? QColor(255, 120, 100) : QColor(200, 200, 200));
    fill.setColorAt(1, active ? QColor(170, 20, 10) : QColor(110, 110, 110));
    p.setPen(QPen(active ? QColor(90, 0, 0) : QColor(70, 70, 70), std::max(1.0, size / 24.0)));
    p.setBrush(fill);
    p.drawEllipse(disc);

    QPen stroke(Qt::white, std::max(1.5, size * 0.1), Qt::SolidLine, Qt::RoundCap);
    p.setPen(stroke);
    p.setBrush(Qt::NoBrush);
    const QRectF ring(size * 0.27, size * 0.29, size * 0.46, size * 0.46);
    p.drawArc(ring, 120 * 16, 300 * 16); // open at the top
    p.drawLine(QPointF(size * 0.5, size * 0.2), QPointF(size * 0.5, size * 0.5));
    return pixmap;
}

} // namespace

QIcon programIcon(const std::string& name) {
    if (name != "main" && name != "disabled")
        return {};
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        icon.addPixmap(powerButton(size, name == "main"));
    return icon;
}

QIcon stockIcon(int iconId) {
    switch (iconId) {
    case 32513:
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
    case 32514:
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion);
    case 32515:
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    case 32516:
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
    default:
        return {};
    }
}

} // namespace qs::linuxos
