#include "modLNK.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace qs::actions {

namespace {

// The published shell link layout, as far as the local base path needs it.
constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<unsigned char, 16> kShellLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                           0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr size_t kClsidAt = 4;
constexpr size_t kLinkFlagsAt = 20;
constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr size_t kIdListSizeAt = kHeaderSize;
constexpr std::uint32_t kMinLinkInfoHeaderSize = 0x1C;
constexpr size_t kLinkInfoHeaderSizeAt = 4;
constexpr size_t kLinkInfoFlagsAt = 8;
constexpr size_t kLocalBasePathOffsetAt = 16;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;

// Little-endian fields of a byte string; every read is checked against its end.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

    size_t size() const { return bytes_.size(); }
    bool holds(size_t at, size_t length) const { return at <= bytes_.size() && length <= bytes_.size() - at; }
    std::uint32_t u16(size_t at) const { return byte(at) | byte(at + 1) << 8; }
    std::uint32_t u32(size_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::uint32_t byte(size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::string_view view(size_t at, size_t length) const { return bytes_.substr(at, length); }

private:
    std::string_view bytes_;
};

bool IsShellLinkWithInfo(const Bytes& link) {
    if (!link.holds(0, kHeaderSize + 2) || link.u32(0) != kHeaderSize)
        return false;
    for (size_t i = 0; i < kShellLinkClsid.size(); ++i)
        if (link.byte(kClsidAt + i) != kShellLinkClsid[i])
            return false;
    const std::uint32_t flags = link.u32(kLinkFlagsAt);
    return (flags & kHasLinkTargetIdList) != 0 && (flags & kHasLinkInfo) != 0;
}

} // namespace

std::string GetLinkTarget(platform::Files& files, const std::string& path) {
    // Read-only access: a write-protected shortcut is still a shortcut.
    const auto bytes = files.readAll(path);
    if (!bytes)
        return "";
    const Bytes link(*bytes);
    if (!IsShellLinkWithInfo(link))
        return "";

    const size_t info = kIdListSizeAt + 2 + link.u16(kIdListSizeAt);
    if (!link.holds(info, kMinLinkInfoHeaderSize))
        return "";
    const std::uint32_t infoSize = link.u32(info);
    const std::uint32_t infoHeaderSize = link.u32(info + kLinkInfoHeaderSizeAt);
    if (infoHeaderSize < kMinLinkInfoHeaderSize || infoSize < infoHeaderSize || !link.holds(info, infoSize))
        return "";
    if ((link.u32(info + kLinkInfoFlagsAt) & kVolumeIdAndLocalBasePath) == 0)
        return "";
    const std::uint32_t pathAt = link.u32(info + kLocalBasePathOffsetAt);
    if (pathAt < infoHeaderSize || pathAt >= infoSize)
        return "";

    // The path ends at its zero byte, or at the end of the link information.
    const std::string_view rest = link.view(info + pathAt, infoSize - pathAt);
    return std::string(rest.substr(0, rest.find('\0')));
}

} // namespace qs::actions
