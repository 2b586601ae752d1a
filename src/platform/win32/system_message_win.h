#pragma once

#include <string>
#include <windows.h>

namespace qs::win32 {

// The system's description of an error code ("Access is denied."), without the line end; WinINet's
// own codes are described by wininet.dll. "Error N" when neither knows the code.
std::string systemMessage(DWORD code);

} // namespace qs::win32
