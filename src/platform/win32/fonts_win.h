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

    // The control's own face and size, or the dialog font (Tahoma 8 pt) where it has none.
    HFONT of(const forms::Control& control);
    // The width in pixels of a caption as the control shows it in its font: access-key marks
    // left out, the widest of its lines.
    int textWidth(const forms::Control& control, const std::string& caption);

private:
    std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
};

} // namespace qs::win32
