#pragma once

#include <cstdint>
#include <string>
#include <windows.h>

namespace qs::win32 {

// CR LF, a lone CR and a lone LF all become CR LF, the line break of static and edit controls.
std::string windowsLines(const std::string& text);
// A caption as the user reads it: access-key marks left out, "&&" shown as "&", each line break
// a lone LF.
std::string plainText(const std::string& caption);

// A model colour (0x00BBGGRR, or a system colour with the high bit) as GDI paints it.
COLORREF nativeColour(std::uint32_t colour);

} // namespace qs::win32
