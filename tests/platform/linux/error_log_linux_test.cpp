// LinuxErrorLog: a failed handler is one line on the real standard error.
#include "../../../src/platform/linux/error_log_linux.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace qs::linuxos {
namespace {

// What the process writes to file descriptor 2 while it runs.
std::string standardErrorOf(const std::function<void()>& run) {
    std::FILE* file = std::tmpfile();
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(fileno(file), 2);
    run();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

TEST(ErrorLogLinux, AFailedHandlerIsOneLineOnStandardError) {
    LinuxErrorLog log;
    const std::string written = standardErrorOf([&] {
        log.error("frmAction.cmdNow.Click", "no such file");
        log.error("frmMain.tmrAction.Tick", "unknown error");
    });
    EXPECT_EQ(written, "qshutdown: error in frmAction.cmdNow.Click: no such file\n"
                       "qshutdown: error in frmMain.tmrAction.Tick: unknown error\n");
}

} // namespace
} // namespace qs::linuxos
