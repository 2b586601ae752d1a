#pragma once

#include <string>
#include <windows.h>

namespace qs::win32 {

// The program's pictures from the executable's icon resources, at the size asked and kept until
// the program ends: "main" (a red power button) and "disabled" (the same in grey). nullptr for any
// other name.
HICON programIcon(const std::string& name, int size);

} // namespace qs::win32
