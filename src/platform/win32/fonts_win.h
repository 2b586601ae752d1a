#pragma once

#include "../../forms/control.h"

#include <map>
#include <string>
#include <tuple>
#include <windows.h>

namespace qs::win32 {

// The fonts the controls are drawn in: one GDI font per face, height and weight, made on first
// use and kept until this object goes, so a window never holds a font that was deleted.
class FontsWin {
public:
    FontsWin() = default;
    ~FontsWin();
    FontsWin(const FontsWin&) = delete;
    FontsWin& operator=(const FontsWin&) = delete;

    // The control's own face and size, or the dialog font (Tahoma 8 pt) where it has none, for a
    // screen of dpi dots per inch.
    HFONT of(const forms::Control& control, int dpi);
    // The width in pixels of a caption as the control shows it in its font at dpi: access-key
    // marks left out, the widest of its lines.
    int textWidth(const forms::Control& control, const std::string& caption, int dpi);

private:
    std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
    int charset_ = -1; // the system's message font's, read on first use
};

} // namespace qs::win32
