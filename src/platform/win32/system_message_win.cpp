#include "system_message_win.h"

#include <wininet.h>

namespace qs::win32 {

std::string systemMessage(DWORD code) {
    const bool internet = code >= INTERNET_ERROR_BASE && code <= INTERNET_ERROR_LAST;
    const HMODULE source = internet ? GetModuleHandleA("wininet.dll") : nullptr;
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                                            (source ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM),
                                        source, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "Error " + std::to_string(code);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return message;
}

} // namespace qs::win32
