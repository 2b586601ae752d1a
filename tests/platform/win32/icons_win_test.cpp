// The program's icons as the executable's resources, loaded at the sizes the windows ask for.
#include "../../../src/platform/win32/icons_win.h"

#include <gtest/gtest.h>
#include <vector>

namespace qs::win32 {
namespace {

struct Picture {
    int width = 0, height = 0;
    int opaque = 0, reddish = 0, coloured = 0;
};

Picture pictureOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {};
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    Picture picture{bitmap.bmWidth, bitmap.bmHeight};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(bitmap.bmWidth * bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    for (const RGBQUAD& p : pixels) {
        picture.opaque += p.rgbReserved == 255;
        picture.reddish += p.rgbReserved == 255 && p.rgbRed > p.rgbGreen + 80;
        picture.coloured += p.rgbRed != p.rgbGreen || p.rgbGreen != p.rgbBlue;
    }
    return picture;
}

TEST(ProgramIconWin, EachIconLoadsAtTheAskedSizeRedWhenMainGreyWhenDisabled) {
    for (int size : {16, 24, 32, 48}) {
        SCOPED_TRACE(size);
        HICON main = programIcon("main", size), disabled = programIcon("disabled", size);
        ASSERT_TRUE(main && disabled);
        EXPECT_EQ(programIcon("main", size), main) << "loaded once and kept";

        const Picture red = pictureOf(main), grey = pictureOf(disabled);
        EXPECT_EQ(red.width, size);
        EXPECT_EQ(red.height, size);
        EXPECT_EQ(grey.width, size);
        EXPECT_GT(red.opaque, size * size / 2) << "a disc filling the square";
        EXPECT_GT(red.reddish, size * size / 4);
        EXPECT_GT(grey.opaque, size * size / 2);
        EXPECT_EQ(grey.coloured, 0);
    }
    EXPECT_EQ(programIcon("IcoDisabled", 16), nullptr) << "only the two names the forms use";
}

} // namespace
} // namespace qs::win32
