#include "text_lines.h"

namespace qs::platform {

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            current += c;
            continue;
        }
        lines.push_back(current);
        current.clear();
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

} // namespace qs::platform
