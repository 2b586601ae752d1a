#pragma once

#include <string>

namespace qs::fake {

// The bytes of a shell link (.lnk) to a local file, laid out as the published format has it:
// header, an item ID list of one item, link information with a volume ID and the local base path
// (no common path suffix), and the terminal extra-data block.
std::string shortcutBytes(const std::string& target);

} // namespace qs::fake
