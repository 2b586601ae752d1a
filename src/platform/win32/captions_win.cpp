#include "captions_win.h"

namespace qs::win32 {

std::string windowsLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string plainText(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        if (caption[i] == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n')
            ++i;
        out += caption[i] == '\r' ? '\n' : caption[i];
    }
    return out;
}

COLORREF nativeColour(std::uint32_t colour) {
    if ((colour & 0x80000000u) == 0)
        return static_cast<COLORREF>(colour & 0xFFFFFFu);
    return GetSysColor(static_cast<int>(colour & 0xFF));
}

} // namespace qs::win32
