#include "shortcut_fake.h"

#include <cstdint>

namespace qs::fake {

namespace {

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8 & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

std::string shortcutBytes(const std::string& target) {
    std::string link;
    put32(link, 0x4C);
    link += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
    put32(link, 0x1 | 0x2);               // HasLinkTargetIDList, HasLinkInfo
    put32(link, 0x20);                    // FILE_ATTRIBUTE_ARCHIVE
    link += std::string(3 * 8 + 4, '\0'); // times, file size
    put32(link, 0);                       // icon index
    put32(link, 1);                       // SW_SHOWNORMAL
    link += std::string(2 + 2 + 4 + 4, '\0');

    // One opaque item, then the terminal zero size.
    const std::string item(18, '\x1F');
    put16(link, static_cast<std::uint32_t>(2 + item.size() + 2));
    put16(link, static_cast<std::uint32_t>(2 + item.size()));
    link += item;
    put16(link, 0);

    constexpr std::uint32_t kInfoHeaderSize = 0x1C;
    constexpr std::uint32_t kVolumeIdSize = 0x11; // size, drive type, serial, label offset, empty label
    const std::uint32_t pathAt = kInfoHeaderSize + kVolumeIdSize;
    const std::uint32_t suffixAt = pathAt + static_cast<std::uint32_t>(target.size()) + 1;
    put32(link, suffixAt + 1);
    put32(link, kInfoHeaderSize);
    put32(link, 0x1); // VolumeIDAndLocalBasePath
    put32(link, kInfoHeaderSize);
    put32(link, pathAt);
    put32(link, 0); // no common network relative link
    put32(link, suffixAt);
    put32(link, kVolumeIdSize);
    put32(link, 3); // DRIVE_FIXED
    put32(link, 0x1234ABCD);
    put32(link, 0x10);
    link += '\0';
    link += target + '\0';
    link += '\0'; // empty common path suffix

    put32(link, 0); // terminal block
    return link;
}

} // namespace qs::fake
