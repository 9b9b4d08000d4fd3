#include "PrivateMountNamespace.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

extern char** environ;

namespace quillmere::test {
namespace {

// Set only in the environment of the re-executed program.
constexpr const char* insideMarker = "QUILLMERE_PRIVATE_MOUNTS";

bool succeeds(std::vector<const char*> arguments) {
    arguments.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, arguments[0], nullptr, nullptr, const_cast<char**>(arguments.data()), environ) !=
        0)
        return false;
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

bool PrivateMountNamespace::isActive() {
    return qgetenv(insideMarker) == "1";
}

QString PrivateMountNamespace::enter(char** argv) {
    if (isActive())
        return {};
    // A trial run tells a refused unshare apart from a failing test program.
    if (!succeeds({"unshare", "-m", "--propagation", "private", "true"}))
        return u"unshare -m --propagation private is refused here (needs CAP_SYS_ADMIN and the "
               u"unshare tool); the mount tests cannot run"_s;
    // /proc/self/exe would name unshare itself once unshare runs.
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length <= 0)
        return u"cannot find this program's file to run it again"_s;
    program[length] = '\0';

    std::vector<char*> arguments = {
        const_cast<char*>("unshare"), const_cast<char*>("-m"), const_cast<char*>("--propagation"),
        const_cast<char*>("private"), const_cast<char*>("--"), program};
    for (char** argument = argv + 1; *argument; ++argument)
        arguments.push_back(*argument);
    arguments.push_back(nullptr);
    qputenv(insideMarker, "1");
    execvp("unshare", arguments.data());
    const int error = errno;
    qunsetenv(insideMarker);
    return u"cannot run unshare: %1"_s.arg(QString::fromLocal8Bit(strerror(error)));
}

} // namespace quillmere::test
