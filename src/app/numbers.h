#pragma once

#include <optional>
#include <string>

namespace qs::app {

// The number at the start of a text, read the classic Basic way: blanks, tabs and line feeds are
// skipped anywhere, then a sign, digits with one ".", an exponent with "E" or "D", or "&H"/"&O"
// for hexadecimal and octal; reading stops at the first other character; no number reads as 0.
double Val(const std::string& text);

// A whole text as a decimal number, blanks around it allowed; nullopt for anything else.
std::optional<double> ParseDecimal(const std::string& text);

// Rounds halves to the even neighbour, as the platform's integer conversion does.
long RoundHalfEven(double value);

} // namespace qs::app
