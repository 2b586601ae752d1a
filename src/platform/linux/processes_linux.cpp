#include "processes_linux.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QUrl>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <limits>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace qs::linuxos {

namespace {

std::string defaultLockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/')
        return std::string(runtime) + "/quorrel-shutdown.lock";
    return "/tmp/quorrel-shutdown-" + std::to_string(::getuid()) + ".lock";
}

// A process that has ended but not been reaped by its parent still answers kill(pid, 0).
bool isZombie(unsigned pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    const size_t close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

// "http://...", "mailto:..." are addresses; "C:\..." or a path is a file.
bool isAddress(const QString& text) {
    const QUrl url(text);
    return url.isValid() && url.scheme().size() > 1 && !text.startsWith(u'/');
}

unsigned exitCodeOf(int status) {
    return WIFEXITED(status) ? static_cast<unsigned>(WEXITSTATUS(status))
                             : 128u + static_cast<unsigned>(WTERMSIG(status));
}

// A descriptor that becomes readable when the process ends; -1 when there is no such process.
int openPidfd(unsigned processId) {
    if (processId == 0 || processId > static_cast<unsigned>(std::numeric_limits<pid_t>::max()))
        return -1;
    return static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(processId), 0));
}

} // namespace

LinuxProcesses::LinuxProcesses(std::string lockPath)
    : lockPath_(lockPath.empty() ? defaultLockPath() : std::move(lockPath)) {}

LinuxProcesses::~LinuxProcesses() {
    for (auto& [id, child] : children_) {
        child.notifier.reset();
        ::close(child.pidfd);
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool LinuxProcesses::anotherInstanceRunning() {
    if (another_)
        return *another_;
    const int fd = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return *(another_ = false); // no lock to be had: better run twice than not at all
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lockFd_ = fd;
        return *(another_ = false);
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return *(another_ = held);
}

bool LinuxProcesses::shellOpen(const std::string& file, int /*showCommand*/) {
    const QString text = QString::fromStdString(file).trimmed();
    if (text.isEmpty())
        return false;
    if (isAddress(text))
        return QDesktopServices::openUrl(QUrl(text));
    const QFileInfo info(text);
    if (!info.exists())
        return false;
    // Opening a program runs it, as on Windows; the desktop would offer to edit a script instead.
    if (info.isFile() && info.isExecutable())
        return QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath());
    // A link opens as what it points to: the desktop picks the program by the target's name. So the
    // help, vrk22.chm, a link to the HTML pages, opens in the web browser.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.canonicalFilePath()));
}

unsigned LinuxProcesses::startProgram(const std::string& commandLine, int /*windowStyle*/) {
    const QStringList words = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (words.isEmpty())
        return 0;
    std::vector<QByteArray> encoded;
    for (const QString& word : words)
        encoded.push_back(QFile::encodeName(word));
    std::vector<char*> argv;
    for (QByteArray& word : encoded)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    // posix_spawnp reports a program that is not found or cannot run, and reaps that attempt itself.
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return 0;
    const auto id = static_cast<unsigned>(pid);
    ended_.erase(id); // an earlier process of that number, reaped long ago
    const int pidfd = openPidfd(id);
    if (pidfd < 0)
        return id; // a kernel before 5.3: exitCode still reaps it, but nothing can wait for it
    Child& child = children_[id];
    child.pidfd = pidfd;
    child.notifier = std::make_unique<QSocketNotifier>(pidfd, QSocketNotifier::Read);
    QObject::connect(child.notifier.get(), &QSocketNotifier::activated, child.notifier.get(), [this, id] { reap(id); });
    return id;
}

void LinuxProcesses::reap(unsigned processId) {
    const auto it = children_.find(processId);
    if (it == children_.end())
        return;
    int status = 0;
    const pid_t pid = static_cast<pid_t>(processId);
    const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
    if (reaped == 0 || (reaped < 0 && errno == EINTR))
        return;
    // Reaped elsewhere (someone ignores SIGCHLD): ended, its code lost.
    ended_[processId] = reaped == pid ? exitCodeOf(status) : 0;
    Child& child = it->second;
    child.notifier->setEnabled(false);
    child.notifier.release()->deleteLater(); // we may be inside its signal
    ::close(child.pidfd);
    children_.erase(it);
}

unsigned LinuxProcesses::exitCode(unsigned processId) {
    if (processId == 0)
        return 0;
    if (children_.contains(processId)) {
        reap(processId);
        if (children_.contains(processId))
            return kStillActive;
    }
    if (auto it = ended_.find(processId); it != ended_.end())
        return it->second;
    int status = 0;
    const pid_t pid = static_cast<pid_t>(processId);
    const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
    if (reaped == pid) {
        const unsigned code = exitCodeOf(status);
        ended_[processId] = code;
        return code;
    }
    if (reaped == 0)
        return kStillActive;
    // Not our child: alive or not is all there is to know.
    if ((::kill(pid, 0) == 0 || errno == EPERM) && !isZombie(processId))
        return kStillActive;
    return 0;
}

unsigned LinuxProcesses::waitForExit(unsigned processId) {
    if (ended_.contains(processId))
        return ended_[processId];
    // A child of ours has its pidfd already; a second descriptor gives this wait a notifier of its
    // own, so that waits nested in each other (and the child's reaping) each see the end.
    const auto child = children_.find(processId);
    const int pidfd =
        child != children_.end() ? ::fcntl(child->second.pidfd, F_DUPFD_CLOEXEC, 0) : openPidfd(processId);
    if (pidfd < 0)
        return 0;
    {
        QEventLoop loop;
        QSocketNotifier ended(pidfd, QSocketNotifier::Read);
        QObject::connect(&ended, &QSocketNotifier::activated, &loop, [&] {
            ended.setEnabled(false);
            loop.quit();
        });
        loop.exec();
    }
    ::close(pidfd);
    // Still running only when the application is quitting and the loop would not run.
    return exitCode(processId);
}

} // namespace qs::linuxos
