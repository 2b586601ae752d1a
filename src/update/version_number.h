#pragma once

#include <string>

namespace qs::update {

// The version a version file announces: the number at its start, read the classic Basic way
// (blanks, tabs and line feeds skipped anywhere, a sign, one ".", an "E" or "D" exponent, "&H" and
// "&O" integers; reading stops at any other character). 0 when there is no number, or none that
// fits a double.
double ReadVersion(const std::string& text);

// A version as the question shows it: the shortest decimal form (2.3, 3, 1E+20).
std::string VersionText(double version);

// This program's version as the same kind of number: major "." minor read as a decimal, so a
// minor version 10 would compare as .1.
double RunningVersion();

} // namespace qs::update
