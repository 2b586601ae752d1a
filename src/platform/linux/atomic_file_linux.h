#pragma once

#include <string>

namespace qs::linuxos {

// Replaces a file so that a reader sees either the old or the whole new content: a temporary
// file in the same folder, fsync, rename over the target, fsync the folder. False on any failure,
// and then the target is untouched and no temporary file is left.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// Creates a folder and its missing parents (mode 0700 for new ones); true when it exists afterwards.
bool makeFolders(const std::string& path);

// The folder part of a path ("." when there is none) and the name part.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

} // namespace qs::linuxos
