#include "ProcessLauncher.h"

#include "PathCodec.h"
#include "PlatformError.h"

#include <QByteArrayList>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace quillmere {
namespace {

// posix_spawn attributes and file actions, released however start() leaves.
class SpawnSetup final {
public:
    SpawnSetup() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
};

} // namespace

pid_t ProcessLauncher::start(const ProcessStart& process) {
    const QByteArray program = PathCodec::encode(process.program);
    const QByteArray folder = PathCodec::encode(process.workingDirectory);
    QByteArrayList arguments{program};
    for (const QString& argument : process.arguments)
        arguments.append(PathCodec::encode(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    SpawnSetup setup;
    // A terminal must not read from Quillmere's standard input, nor die with its session.
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!folder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&setup.actions, folder.constData());
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    // Ignored signals survive exec; the terminal's shell expects SIGPIPE to kill.
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&setup.attributes, &none);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaults);
    posix_spawnattr_setflags(&setup.attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t child = 0;
    // glibc reports failures of the child's set-up (chdir, exec) here, not later.
    const int code =
        posix_spawn(&child, program.constData(), &setup.actions, &setup.attributes, argv.data(), environ);
    if (code != 0)
        throw PlatformError(code, process.program);

    // Terminals live long; a thread that only waits costs little and leaves no zombie.
    std::thread([child] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return child;
}

} // namespace quillmere
