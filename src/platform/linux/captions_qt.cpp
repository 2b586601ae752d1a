#include "captions_qt.h"

namespace qs::linuxos {

QString multiLineText(const std::string& text) {
    QString out = QString::fromStdString(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    return out;
}

QString mnemonicText(const std::string& caption) {
    return multiLineText(caption);
}

bool hasMnemonic(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&')
            return true;
        ++i;
    }
    return false;
}

QString plainText(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return multiLineText(out);
}

QColor qtColour(std::uint32_t colour, const QPalette& palette) {
    if ((colour & 0x80000000u) == 0)
        return QColor(static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 8 & 0xFF),
                      static_cast<int>(colour >> 16 & 0xFF));
    switch (colour & 0xFF) {
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16:
        return palette.color(QPalette::Mid);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Light);
    case 24:
        return palette.color(QPalette::ToolTipBase);
    default: // 15, the button face, and the rest
        return palette.color(QPalette::Window);
    }
}

} // namespace qs::linuxos
