#pragma once

#include <string>
#include <windows.h>

namespace qs::win32 {

// A DLL loaded on first use and kept while this object lives. Functions that only some Windows
// versions have are looked up here, so the program still starts where they are missing.
class Library {
public:
    explicit Library(std::string name) : name_(std::move(name)) {}
    ~Library() {
        if (module_)
            FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // The function's address cast to F, or nullptr when the DLL or the function is missing.
    template <typename F> F function(const char* name) {
        if (!tried_) {
            tried_ = true;
            module_ = LoadLibraryA(name_.c_str());
        }
        if (!module_)
            return nullptr;
        // Function pointers of different types share one representation on Windows.
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

private:
    std::string name_;
    HMODULE module_ = nullptr;
    bool tried_ = false; // a missing DLL is not searched for again on every call
};

} // namespace qs::win32
