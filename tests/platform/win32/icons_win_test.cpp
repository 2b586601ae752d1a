// The program's icons as the executable's resources, loaded at the sizes the windows ask for.
#include "../../../src/forms/application.h"
#include "../../../src/forms/form.h"
#include "../../../src/platform/fake/clock_fake.h"
#include "../../../src/platform/win32/icons_win.h"
#include "../../../src/platform/win32/renderer_win.h"
#include "../recording_error_log.h"

#include <gtest/gtest.h>
#include <vector>

namespace qs::win32 {
namespace {

struct Picture {
    int width = 0, height = 0;
    int opaque = 0, reddish = 0, coloured = 0;
    bool operator==(const Picture&) const = default;
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

TEST(ProgramIconWin, EveryFormWindowShowsTheProgramsIcon) {
    test::RecordingErrorLog errors;
    fake::FakeClock clock;
    RendererWin renderer;
    forms::Application app{clock, renderer, errors};
    forms::Form warning{app, "frmWarning"}; // a fixed dialog with no icon of its own
    warning.setBorderStyle(forms::BorderStyle::FixedDialog);
    warning.show();
    const HWND window = renderer.window(warning);
    ASSERT_TRUE(window);
    // The class icons, for the task bar and Alt+Tab, are resource 1 of the program at both sizes.
    for (auto [index, metric] : {std::pair{GCLP_HICON, SM_CXICON}, std::pair{GCLP_HICONSM, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, index));
        const auto resource =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon && resource) << size;
        EXPECT_EQ(pictureOf(icon).width, size);
        EXPECT_EQ(pictureOf(icon), pictureOf(resource));
        DestroyIcon(resource);
    }
    warning.unload();
}

} // namespace
} // namespace qs::win32
