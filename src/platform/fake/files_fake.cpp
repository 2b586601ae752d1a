#include "files_fake.h"

#include "../text_lines.h"

#include <cctype>

namespace qs::fake {

std::string FakeFiles::key(const std::string& path) {
    std::string k;
    for (char c : path)
        k += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return k;
}

bool wildcardMatch(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::optional<std::string> FakeFiles::get(const std::string& path) const {
    auto it = files_.find(key(path));
    if (it == files_.end())
        return std::nullopt;
    return it->second.bytes;
}

std::string FakeFiles::shortName(const std::string& path) const {
    std::string folder = folder_;
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    if (key(path).rfind(key(folder), 0) == 0)
        return path.substr(folder.size());
    return path;
}

void FakeFiles::setReadOnlyFile(const std::string& path) {
    if (!files_.contains(key(path)))
        put(path, "");
    files_[key(path)].readOnly = true;
}

bool FakeFiles::truncate(const std::string& path, size_t bytes) {
    auto it = files_.find(key(path));
    if (it == files_.end())
        return false;
    if (it->second.bytes.size() > bytes)
        it->second.bytes.resize(bytes);
    return true;
}

bool FakeFiles::refusesWrites(const std::string& path) const {
    auto it = files_.find(key(path));
    return readOnly_ || (it != files_.end() && it->second.readOnly);
}

bool FakeFiles::exists(const std::string& pattern) {
    for (const auto& [k, file] : files_)
        if (wildcardMatch(pattern, file.path))
            return true;
    return false;
}

bool FakeFiles::remove(const std::string& path) {
    transcript_.line("delete " + shortName(path));
    if (refusesWrites(path))
        return !files_.contains(key(path));
    files_.erase(key(path));
    return true;
}

std::optional<std::vector<std::string>> FakeFiles::readLines(const std::string& path) {
    const auto bytes = get(path);
    if (!bytes)
        return std::nullopt;
    return platform::splitLines(*bytes);
}

bool FakeFiles::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    return writeAll(path, platform::joinLines(lines));
}

std::optional<std::string> FakeFiles::readAll(const std::string& path) {
    return get(path);
}

bool FakeFiles::writeAll(const std::string& path, const std::string& bytes) {
    if (refusesWrites(path))
        return false;
    put(path, bytes);
    transcript_.line("write " + shortName(path));
    return true;
}

} // namespace qs::fake
