#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qs::platform {

// The program's folder and the files the program keeps there or is told about.
class Files {
public:
    virtual ~Files() = default;

    // The folder the program keeps its files in, as given by the system (it may or may not end in a separator).
    virtual std::string programFolder() = 0;
    // The program file's name with its extension, e.g. "QShutdown.exe".
    virtual std::string exeName() = 0;
    virtual char pathSeparator() = 0;

    // True when the name, which may hold "*" and "?", matches at least one ordinary file
    // (not hidden, not system, not a directory).
    virtual bool exists(const std::string& pattern) = 0;
    // Deleting a missing file is no error; returns whether the file is gone.
    virtual bool remove(const std::string& path) = 0;

    // The lines of a text file without their line ends; nullopt when it cannot be opened.
    virtual std::optional<std::vector<std::string>> readLines(const std::string& path) = 0;
    // Writes each line followed by CR LF into a new file beside the target, flushes it and
    // renames it over the target, so a failure never leaves a truncated file. False on failure.
    virtual bool writeLines(const std::string& path, const std::vector<std::string>& lines) = 0;
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    virtual bool writeAll(const std::string& path, const std::string& bytes) = 0;
};

} // namespace qs::platform
