// The program's icons as pictures built into the program, at the sizes a tray and a window ask for.
#include "../../../src/platform/linux/icons_qt.h"

#include <QImage>
#include <gtest/gtest.h>

namespace qs::linuxos {
namespace {

struct Picture {
    QSize size;
    int opaque = 0, reddish = 0, coloured = 0;
};

Picture pictureOf(const QIcon& icon, int size) {
    const QImage image = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
    Picture picture{image.size()};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            picture.opaque += qAlpha(p) == 255;
            picture.reddish += qAlpha(p) == 255 && qRed(p) > qGreen(p) + 80;
            picture.coloured += qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }
    return picture;
}

TEST(ProgramIconQt, EachIconHoldsTheTraySizesRedWhenMainGreyWhenDisabled) {
    const QIcon main = programIcon("main"), disabled = programIcon("disabled");
    for (int size : {16, 22, 24, 32}) {
        SCOPED_TRACE(size);
        const Picture red = pictureOf(main, size), grey = pictureOf(disabled, size);
        EXPECT_EQ(red.size, QSize(size, size));
        EXPECT_EQ(grey.size, QSize(size, size));
        EXPECT_GT(red.opaque, size * size / 2) << "a disc filling the square";
        EXPECT_GT(red.reddish, size * size / 4);
        EXPECT_GT(grey.opaque, size * size / 2);
        EXPECT_EQ(grey.coloured, 0);
    }
    EXPECT_TRUE(programIcon("IcoDisabled").isNull()) << "only the two names the forms use";
}

} // namespace
} // namespace qs::linuxos
