#include "unprivileged.h"

#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qs::test {

Outcome runUnprivileged(const std::function<bool()>& check) {
    if (::geteuid() != 0)
        return check() ? Outcome::Passed : Outcome::Failed;
    const pid_t child = ::fork();
    if (child < 0)
        return Outcome::Impossible;
    if (child == 0) {
        const gid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0)
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return Outcome::Failed;
    switch (WEXITSTATUS(status)) {
    case 0:
        return Outcome::Passed;
    case 2:
        return Outcome::Impossible;
    default:
        return Outcome::Failed;
    }
}

std::string sharedTempFolder() {
    char name[] = "/tmp/qs-test-XXXXXX";
    if (!::mkdtemp(name))
        return {};
    ::chmod(name, 0755);
    return name;
}

} // namespace qs::test
