#pragma once

#include <string>
#include <vector>

namespace qs::platform {

// The lines of a text file's bytes: ended by CR LF, or by a lone LF or CR as other programs may
// have left them. A last line without an ending counts; an empty file has no lines.
std::vector<std::string> splitLines(const std::string& bytes);

// The bytes of a text file: each line ended by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

} // namespace qs::platform
