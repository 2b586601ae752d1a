#include "callback_thunk_win.h"

#include <cstring>
#include <windows.h>

namespace qs::win32 {

// The code below is 32-bit x86: a pointer and each argument are four bytes.
static_assert(sizeof(void*) == 4, "the program is built for 32-bit x86 only");

namespace {

constexpr unsigned char kPopEcx = 0x59;  // the caller's return address
constexpr unsigned char kPushImm = 0x68; // the context, as the first argument
constexpr unsigned char kPushEcx = 0x51; // the return address back on top
constexpr unsigned char kJmpRel = 0xE9;  // to the target, which returns to the caller
constexpr std::size_t kCodeSize = 12;

void put32(unsigned char* at, std::uint32_t value) {
    std::memcpy(at, &value, sizeof value);
}

} // namespace

platform::CallbackAddress CallbackThunk::make(Target target, void* context, unsigned long& error) {
    if (code_)
        return address();
    auto* code =
        static_cast<unsigned char*>(VirtualAlloc(nullptr, kCodeSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!code) {
        error = GetLastError();
        return 0;
    }
    // The target, a stdcall procedure of five arguments, takes the context off the stack with the
    // four the caller pushed, so the stack is as the caller expects when it returns.
    code[0] = kPopEcx;
    code[1] = kPushImm;
    put32(code + 2, reinterpret_cast<std::uint32_t>(context));
    code[6] = kPushEcx;
    code[7] = kJmpRel;
    put32(code + 8, reinterpret_cast<std::uint32_t>(target) - reinterpret_cast<std::uint32_t>(code + kCodeSize));
    FlushInstructionCache(GetCurrentProcess(), code, kCodeSize);
    code_ = code;
    return address();
}

void CallbackThunk::release() {
    if (code_)
        VirtualFree(code_, 0, MEM_RELEASE);
    code_ = nullptr;
}

} // namespace qs::win32
