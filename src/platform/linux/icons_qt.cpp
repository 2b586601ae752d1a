#include "icons_qt.h"

#include <QApplication>
#include <QStyle>

namespace qs::linuxos {

QIcon programIcon(const std::string& name) {
    if (name != "main" && name != "disabled")
        return {};
    const QString file = name == "main" ? QStringLiteral("qshutdown") : QStringLiteral("qshutdown-disabled");
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(file).arg(size), QSize(size, size));
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
