#pragma once

#include <functional>
#include <windows.h>

namespace qs::win32::test {

// Runs work on a Win32 thread of its own; join (or the destructor) waits for its end.
class TestThread {
public:
    explicit TestThread(std::function<void()> work)
        : work_(std::move(work)), handle_(CreateThread(nullptr, 0, run, this, 0, nullptr)) {}
    ~TestThread() { join(); }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    // False when the thread could not be made (the work never ran).
    bool started() const { return handle_ != nullptr; }

    void join() {
        if (!handle_)
            return;
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    static DWORD WINAPI run(void* self) {
        static_cast<TestThread*>(self)->work_();
        return 0;
    }

    std::function<void()> work_;
    HANDLE handle_;
};

} // namespace qs::win32::test
