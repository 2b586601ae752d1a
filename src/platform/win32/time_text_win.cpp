#include "time_text_win.h"

namespace qs::win32 {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string trim(const std::string& s) {
    size_t from = 0, to = s.size();
    while (from < to && isBlank(s[from]))
        ++from;
    while (to > from && isBlank(s[to - 1]))
        --to;
    return s.substr(from, to - from);
}

// ASCII letters only: the bytes of other scripts' designators stay as they are.
std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// Takes a designator off either end of the text; returns 0 for AM, 1 for PM, -1 for none.
int takeDesignator(std::string& text, const std::string& am, const std::string& pm) {
    const std::pair<std::string, int> designators[] = {{am, 0}, {pm, 1}, {"AM", 0}, {"PM", 1}};
    const std::string u = upper(text);
    for (const auto& [name, half] : designators) {
        const std::string d = upper(trim(name));
        if (d.empty() || d.size() >= u.size())
            continue;
        if (u.compare(u.size() - d.size(), d.size(), d) == 0) {
            text = trim(text.substr(0, text.size() - d.size()));
            return half;
        }
        if (u.compare(0, d.size(), d) == 0) {
            text = trim(text.substr(d.size()));
            return half;
        }
    }
    return -1;
}

} // namespace

std::optional<int> parseTimeOfDay(const std::string& input, const std::string& separator, const std::string& am,
                                  const std::string& pm) {
    std::string text = trim(input);
    const int half = takeDesignator(text, am, pm);
    int parts[3] = {0, 0, 0};
    int count = 0;
    size_t i = 0;
    for (;;) {
        const size_t start = i;
        int value = 0;
        while (i < text.size() && isDigit(text[i]) && i - start < 2)
            value = value * 10 + (text[i++] - '0');
        if (i == start)
            return std::nullopt;
        parts[count++] = value;
        if (i == text.size() || count == 3)
            break;
        if (text[i] == ':')
            ++i;
        else if (!separator.empty() && text.compare(i, separator.size(), separator) == 0)
            i += separator.size();
        else
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    int hour = parts[0];
    if (half >= 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + 12 * half;
    } else if (count == 1 || hour > 23) {
        return std::nullopt; // a bare number is no time
    }
    if (parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return hour * 3600 + parts[1] * 60 + parts[2];
}

} // namespace qs::win32
