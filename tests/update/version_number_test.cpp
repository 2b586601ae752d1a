// The number a version file announces, how the question writes it, and the program's own.
#include "update/maker_site.h"
#include "update/version_number.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace qs::update;

namespace {

TEST(ReadVersion, TakesTheNumberAtTheStartOfTheFile) {
    EXPECT_DOUBLE_EQ(ReadVersion("2.3\r\n"), 2.3); // a carriage return ends it
    EXPECT_DOUBLE_EQ(ReadVersion("2.2"), 2.2);
    EXPECT_DOUBLE_EQ(ReadVersion(" 2 .5"), 2.5); // blanks are skipped inside the number
    EXPECT_DOUBLE_EQ(ReadVersion("\t2\n.5\r9"), 2.5);
    EXPECT_DOUBLE_EQ(ReadVersion("&H3"), 3);
    EXPECT_DOUBLE_EQ(ReadVersion("&o17"), 15);
    EXPECT_DOUBLE_EQ(ReadVersion("2.3.1"), 2.3);
    EXPECT_DOUBLE_EQ(ReadVersion("25D-1"), 2.5);
    EXPECT_DOUBLE_EQ(ReadVersion("-3"), -3);
}

TEST(ReadVersion, NoNumberOrOneTooLargeIsVersionZero) {
    EXPECT_EQ(ReadVersion(""), 0);
    EXPECT_EQ(ReadVersion("Version 2.3"), 0);
    EXPECT_EQ(ReadVersion("<html>404</html>"), 0);
    EXPECT_EQ(ReadVersion("1E999"), 0);
    EXPECT_EQ(ReadVersion(std::string("\0"
                                      "3",
                                      2)),
              0);
}

TEST(VersionText, IsTheShortestDecimalForm) {
    EXPECT_EQ(VersionText(2.3), "2.3");
    EXPECT_EQ(VersionText(3), "3");
    EXPECT_EQ(VersionText(0.1 + 0.2), "0.3");
    EXPECT_EQ(VersionText(1e20), "1E+20");
}

TEST(RunningVersion, ComparesWithWhatAFileAnnounces) {
    EXPECT_DOUBLE_EQ(RunningVersion(), 2.2);
    EXPECT_FALSE(ReadVersion("2.2\r\n") > RunningVersion());
    EXPECT_TRUE(ReadVersion("2.21") > RunningVersion());
}

TEST(MakerSite, TheEnvironmentMayNameAnotherSite) {
    static char other[] = "QSHUTDOWN_SITE=http://127.0.0.1:8080//";
    static char none[] = "QSHUTDOWN_SITE=";
    putenv(other);
    EXPECT_EQ(MakerSite(), "http://127.0.0.1:8080");
    putenv(none);
    EXPECT_EQ(MakerSite(), "https://www.example.com");
}

} // namespace
