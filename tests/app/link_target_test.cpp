// Reading a shortcut's local path, built here byte by byte from the published shell link layout.
#include "actions/modLNK.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/shortcut_fake.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;

namespace {

constexpr size_t kInfoAt = 76 + 2 + 6; // header, ID-list size, one 4-byte item and the terminal zero
const std::string kTarget = "C:\\Program Files\\Tools\\tool.exe";

void put32(std::string& bytes, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}

// A shortcut to kTarget: header, item ID list, link information (header 0x1C, volume ID, local
// base path, empty common path suffix), terminal block.
std::string link() {
    std::string bytes(76, '\0');
    put32(bytes, 0, 0x4C);
    const char clsid[] = "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46";
    bytes.replace(4, 16, clsid, 16);
    put32(bytes, 20, 0x1 | 0x2 | 0x80); // ID list, link info, Unicode strings
    bytes += std::string("\x06\x00\x04\x00\xAB\xCD\x00\x00", 8);

    std::string info(0x1C + 0x11, '\0');
    put32(info, 4, 0x1C);
    put32(info, 8, 0x1);
    put32(info, 12, 0x1C);
    put32(info, 16, static_cast<std::uint32_t>(info.size()));
    put32(info, 24, static_cast<std::uint32_t>(info.size() + kTarget.size() + 1));
    put32(info, 0x1C, 0x11);
    info += kTarget + '\0' + '\0';
    put32(info, 0, static_cast<std::uint32_t>(info.size()));
    return bytes + info + std::string(4, '\0');
}

size_t infoEnd() {
    return kInfoAt + 0x1C + 0x11 + kTarget.size() + 2;
}

struct GetLinkTargetTest : ::testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};

    std::string target(const std::string& bytes) {
        os.files.put("C:\\Links\\tool.lnk", bytes);
        return actions::GetLinkTarget(os.files, "C:\\Links\\tool.lnk");
    }
};

TEST_F(GetLinkTargetTest, GivesTheLocalBasePathAlsoOfAReadOnlyShortcut) {
    EXPECT_EQ(target(link()), kTarget);
    os.files.setReadOnlyFile("C:\\Links\\tool.lnk");
    EXPECT_EQ(actions::GetLinkTarget(os.files, "C:\\Links\\tool.lnk"), kTarget);
    EXPECT_EQ(actions::GetLinkTarget(os.files, "C:\\Links\\missing.lnk"), "");
}

TEST_F(GetLinkTargetTest, ATruncatedShortcutGivesNothingUntilItsLinkInformationIsWhole) {
    const std::string whole = link();
    for (size_t cut = 0; cut < infoEnd(); ++cut)
        EXPECT_EQ(target(whole.substr(0, cut)), "") << "cut at " << cut;
    EXPECT_EQ(target(whole.substr(0, infoEnd())), kTarget);
}

TEST_F(GetLinkTargetTest, SizesAndOffsetsBeyondTheFileOrTheLinkInformationGiveNothing) {
    for (const auto& [at, value] : std::vector<std::pair<size_t, std::uint32_t>>{
             {76, 0xFFFF},                                                                 // ID-list size
             {kInfoAt, 0x7FFFFFFF},                                                        // link-info size
             {kInfoAt + 4, 0x1000},                                                        // link-info header size
             {kInfoAt + 16, 0xFFFFFFF0},                                                   // base-path offset
             {kInfoAt + 16, 0x1C + 0x11 + static_cast<std::uint32_t>(kTarget.size()) + 2}, // at the end
             {kInfoAt + 16, 0x08}}) { // inside the link-info header
        std::string bytes = link();
        if (at == 76)
            bytes[76] = bytes[77] = '\xFF';
        else
            put32(bytes, at, value);
        EXPECT_EQ(target(bytes), "") << "field at " << at;
    }
}

TEST_F(GetLinkTargetTest, AnythingButAShellLinkWithALocalPathGivesNothing) {
    for (const auto& [at, value] :
         std::vector<std::pair<size_t, std::uint32_t>>{{0, 0x4D},             // header size
                                                       {4, 0x00021402},       // class identifier
                                                       {20, 0x2},             // no item ID list
                                                       {20, 0x1},             // no link information
                                                       {kInfoAt + 8, 0x2}}) { // a network link only
        std::string bytes = link();
        put32(bytes, at, value);
        EXPECT_EQ(target(bytes), "") << "field at " << at;
    }
    EXPECT_EQ(target("this is a text file, long enough to pass for a header if nobody looked at it at all."), "");
}

TEST_F(GetLinkTargetTest, APathWithoutItsZeroEndsWithTheLinkInformation) {
    std::string bytes = link();
    const size_t zero = infoEnd() - 2;
    bytes[zero] = 'X';
    bytes[zero + 1] = 'Y';
    put32(bytes, infoEnd(), 0x5A5A5A5A); // what follows is no part of it
    EXPECT_EQ(target(bytes), kTarget + "XY");
}

} // namespace
