#pragma once

#include <functional>
#include <windows.h>

namespace qs::forms {
class Form;
}

namespace qs::win32 {

// The native window of a loaded form, nullptr where there is none. The renderer knows it; the
// services that work on a form's window ask through this, as they are built before the renderer.
using WindowLookup = std::function<HWND(const forms::Form&)>;

} // namespace qs::win32
