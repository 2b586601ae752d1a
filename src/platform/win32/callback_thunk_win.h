#pragma once

#include "../window_procedures.h"

#include <cstdint>

namespace qs::win32 {

// A plain stdcall procedure of four 32-bit arguments, as the system calls a timer procedure, made
// as a few bytes of machine code in executable memory: it puts a context in front of the four
// arguments and jumps to a procedure of five. The memory is freed by release() and the destructor.
class CallbackThunk {
public:
    using Target = std::intptr_t(__stdcall*)(void* context, platform::WindowHandle window, unsigned message,
                                             std::uintptr_t id, std::uint32_t time);

    CallbackThunk() = default;
    ~CallbackThunk() { release(); }
    CallbackThunk(const CallbackThunk&) = delete;
    CallbackThunk& operator=(const CallbackThunk&) = delete;

    // Makes the procedure unless it is there; its address, or 0 with the system's error code in
    // error when no executable memory could be had.
    platform::CallbackAddress make(Target target, void* context, unsigned long& error);
    platform::CallbackAddress address() const { return reinterpret_cast<platform::CallbackAddress>(code_); }
    void release();

private:
    void* code_ = nullptr;
};

} // namespace qs::win32
