#pragma once

#include "../files.h"
#include "transcript.h"

#include <map>

namespace qs::fake {

// An in-memory Windows-style file system. Names compare without regard to case.
class FakeFiles : public platform::Files {
public:
    explicit FakeFiles(Transcript& t) : transcript_(t) {}

    void setProgramFolder(const std::string& folder) { folder_ = folder; }
    void setExeName(const std::string& name) { exe_ = name; }
    // A folder that refuses every write (a read-only install).
    void setReadOnly(bool on) { readOnly_ = on; }
    void put(const std::string& path, const std::string& bytes) { files_[key(path)] = {path, bytes, false}; }
    // A file that refuses to be written or deleted (made empty when it did not exist).
    void setReadOnlyFile(const std::string& path);
    // Cuts a file to at most that many bytes; false when there is no such file.
    bool truncate(const std::string& path, size_t bytes);
    std::optional<std::string> get(const std::string& path) const;
    // The program folder's files are named relative to it in the transcript.
    std::string shortName(const std::string& path) const;

    std::string programFolder() override { return folder_; }
    std::string exeName() override { return exe_; }
    char pathSeparator() override { return '\\'; }
    bool exists(const std::string& pattern) override;
    bool remove(const std::string& path) override;
    std::optional<std::vector<std::string>> readLines(const std::string& path) override;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override;
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeAll(const std::string& path, const std::string& bytes) override;

private:
    struct File {
        std::string path;
        std::string bytes;
        bool readOnly;
    };
    bool refusesWrites(const std::string& path) const;
    static std::string key(const std::string& path);

    Transcript& transcript_;
    std::string folder_ = "C:\\Apps\\";
    std::string exe_ = "QShutdown.exe";
    bool readOnly_ = false;
    std::map<std::string, File> files_;
};

// "*" and "?" matching without regard to case.
bool wildcardMatch(const std::string& pattern, const std::string& name);

} // namespace qs::fake
