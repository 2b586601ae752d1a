// GoogleTest's main for the tests against a real X display: Xvfb and a session bus of the test's
// own, and a QApplication on them.
#include "x_session.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    qs::test::XSession session;
    if (!session.error().empty()) {
        std::fprintf(stderr, "%s\n", session.error().c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
