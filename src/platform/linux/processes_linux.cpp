#include "processes_linux.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

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

} // namespace

LinuxProcesses::LinuxProcesses(std::string lockPath)
    : lockPath_(lockPath.empty() ? defaultLockPath() : std::move(lockPath)) {}

LinuxProcesses::~LinuxProcesses() {
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
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

unsigned LinuxProcesses::startProgram(const std::string& commandLine, int /*windowStyle*/) {
    QStringList args = QProcess::splitCommand(QString::fromStdString(commandLine));
    if (args.isEmpty())
        return 0;
    const QString program = args.takeFirst();
    qint64 pid = 0;
    if (!QProcess::startDetached(program, args, QString(), &pid) || pid <= 0)
        return 0;
    return static_cast<unsigned>(pid);
}

unsigned LinuxProcesses::exitCode(unsigned processId) {
    if (processId == 0)
        return 0;
    if (auto it = ended_.find(processId); it != ended_.end())
        return it->second;
    int status = 0;
    const pid_t pid = static_cast<pid_t>(processId);
    const pid_t reaped = ::waitpid(pid, &status, WNOHANG);
    if (reaped == pid) {
        const unsigned code = WIFEXITED(status) ? static_cast<unsigned>(WEXITSTATUS(status))
                                                : 128u + static_cast<unsigned>(WTERMSIG(status));
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

} // namespace qs::linuxos
