#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <string>

namespace qs::linuxos {

// Pixels from twips at 96 dpi.
constexpr int pixels(int twips) {
    return twips / 15;
}
constexpr int twips(int pixels) {
    return pixels * 15;
}

// A caption with "&x" access keys, as Qt writes them (the same syntax: "&x" marks, "&&" is "&").
QString mnemonicText(const std::string& caption);
// The caption as plain text: access-key marks removed, "&&" shown as "&".
QString plainText(const std::string& caption);
// True when the caption marks an access key.
bool hasMnemonic(const std::string& caption);
// CR LF, a lone CR and a lone LF all become line breaks.
QString multiLineText(const std::string& text);

// A model colour (0x00BBGGRR, or a system colour with the high bit) in the given palette.
QColor qtColour(std::uint32_t colour, const QPalette& palette);

} // namespace qs::linuxos
