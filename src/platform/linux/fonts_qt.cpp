#include "fonts_qt.h"

#include "captions_qt.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

namespace qs::linuxos {

QFont dialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QFont controlFont(const forms::Control& control) {
    QFont font = dialogFont();
    // Where the face is missing, fontconfig finds the nearest one it has.
    if (!control.fontName().empty())
        font.setFamilies({QString::fromStdString(control.fontName())});
    if (control.fontSize() > 0)
        font.setPointSizeF(control.fontSize());
    font.setBold(control.bold());
    return font;
}

int textWidth(const forms::Control& control, const std::string& caption) {
    const QFontMetrics metrics(controlFont(control));
    int widest = 0;
    for (const QString& line : plainText(caption).split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

} // namespace qs::linuxos
