#pragma once

#include <set>
#include <string>
#include <windows.h>

namespace qs::win32::test {

// A fresh folder in the user's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string path(const std::string& name) const { return path_ + "\\" + name; }
    // Every name in the folder, hidden ones included: a temporary file left behind shows here.
    std::set<std::string> names() const;
    void put(const std::string& name, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;
    std::string contents(const std::string& name) const;

private:
    std::string path_;
};

} // namespace qs::win32::test
