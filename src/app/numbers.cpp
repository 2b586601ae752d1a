#include "numbers.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace qs::app {

namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Reads [sign] digits [. digits] [(E|D) [sign] digits] from the characters Val keeps.
double readDecimal(const std::string& s) {
    std::string number;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number += s[i++];
    bool digits = false, point = false;
    while (i < s.size()) {
        if (std::isdigit(static_cast<unsigned char>(s[i]))) {
            digits = true;
            number += s[i++];
        } else if (s[i] == '.' && !point) {
            point = true;
            number += s[i++];
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        const size_t start = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
            exponent += s[j++];
        if (j > start)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

} // namespace

double Val(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (!isSkipped(c))
            kept += c;
    if (kept.size() >= 2 && kept[0] == '&') {
        const char base = static_cast<char>(std::toupper(static_cast<unsigned char>(kept[1])));
        if (base == 'H' || base == 'O') {
            return static_cast<double>(std::strtoll(kept.c_str() + 2, nullptr, base == 'H' ? 16 : 8));
        }
    }
    return readDecimal(kept);
}

std::optional<double> ParseDecimal(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const size_t last = text.find_last_not_of(' ');
    const std::string core = text.substr(first, last - first + 1);
    size_t i = 0;
    if (core[i] == '+' || core[i] == '-')
        ++i;
    bool digits = false, point = false;
    for (; i < core.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(core[i])))
            digits = true;
        else if (core[i] == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    return std::strtod(core.c_str(), nullptr);
}

long RoundHalfEven(double value) {
    return static_cast<long>(std::nearbyint(value));
}

} // namespace qs::app
