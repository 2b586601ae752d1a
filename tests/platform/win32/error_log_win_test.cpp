// Win32ErrorLog: failed handlers appended to the log file beside the settings, one line each.
#include "../../../src/platform/win32/error_log_win.h"
#include "temp_folder_win.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace qs::win32 {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

TEST(ErrorLogWin, FailedHandlersAreAppendedBesideTheSettings) {
    const test::TempFolder folder;
    folder.put("QShutdown.log", "an earlier run\r\n");
    Win32ErrorLog log(folder.path());
    EXPECT_EQ(log.path(), folder.path("QShutdown.log"));
    log.error("frmAction.cmdNow.Click", "cannot start\r\nC:\\Apps\\pre.bat");
    log.error("frmMain.tmrAction.Tick", "unknown error");

    const std::vector<std::string> lines = linesOf(folder.contents("QShutdown.log"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "an earlier run");
    // "YYYY-MM-DD HH:MM:SS " and then the handler and what went wrong, on one line.
    for (size_t i = 1; i < 3; ++i) {
        ASSERT_GT(lines[i].size(), 20u);
        EXPECT_EQ(lines[i][4], '-');
        EXPECT_EQ(lines[i][13], ':');
        EXPECT_EQ(lines[i][19], ' ');
    }
    EXPECT_EQ(lines[1].substr(20), "frmAction.cmdNow.Click: cannot start  C:\\Apps\\pre.bat");
    EXPECT_EQ(lines[2].substr(20), "frmMain.tmrAction.Tick: unknown error");
}

} // namespace
} // namespace qs::win32
