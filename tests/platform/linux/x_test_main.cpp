// GoogleTest's main for the tests against a real X display: an Xvfb and a D-Bus session bus of
// the test's own, never the machine's, and a QApplication on them. They go with the test process,
// even a crashed one.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Starts a program and reads the line it writes once it is ready (Xvfb's display number, the
// bus's address); 0 when it says nothing within 10 s.
pid_t startAndRead(std::vector<const char*> argv, std::string& line) {
    int out[2];
    if (pipe(out) != 0)
        return 0;
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(out[1], STDOUT_FILENO);
        dup2(open("/dev/null", O_WRONLY), STDERR_FILENO);
        execvp(argv[0], const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    close(out[1]);
    pollfd ready{out[0], POLLIN, 0};
    char c = 0;
    while (pid > 0 && poll(&ready, 1, 10000) == 1 && read(out[0], &c, 1) == 1 && c != '\n')
        line += c;
    close(out[0]);
    if (pid > 0 && c != '\n') {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return 0;
    }
    return pid > 0 ? pid : 0;
}

void stop(pid_t pid) {
    if (pid > 0 && kill(pid, SIGTERM) == 0)
        waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    std::string display, address;
    // Xvfb picks a free display itself and names it once it takes connections.
    const pid_t xvfb =
        startAndRead({"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, display);
    const pid_t bus =
        startAndRead({"dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"}, address);
    int result = 1;
    if (xvfb == 0 || bus == 0) {
        std::fprintf(stderr, "Xvfb or dbus-daemon did not start (Debian: xvfb, dbus)\n");
    } else {
        setenv("DISPLAY", (":" + display).c_str(), 1);
        setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        result = RUN_ALL_TESTS();
    }
    stop(bus);
    stop(xvfb);
    return result;
}
