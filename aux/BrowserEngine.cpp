#include "aux/BrowserEngine.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sched.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orv {

namespace {

// Writes a short text to a file of /proc; only calls a forked child may make.
bool writeProc(const char *path, const char *text, size_t length)
{
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = write(fd, text, length) == ssize_t(length);
    close(fd);
    return written;
}

// A user namespace can only be made by a process with one thread, so a child tries it and
// reports back by its exit status. It also maps itself into the new namespace, as the engine
// does: where the namespace is made but kept powerless, that step fails.
bool canMakeUserNamespace()
{
    char map[64];
    const int length = std::snprintf(map, sizeof map, "0 %u 1\n", unsigned(geteuid()));
    if (length <= 0 || size_t(length) >= sizeof map)
        return false;
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        const bool ok = unshare(CLONE_NEWUSER) == 0 && writeProc("/proc/self/setgroups", "deny", 4)
                        && writeProc("/proc/self/uid_map", map, size_t(length));
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The engine's helper program, where the engine itself will look for it.
QString helperProgram()
{
    const QByteArray configured = qgetenv("QTWEBENGINEPROCESS_PATH");
    if (!configured.isEmpty())
        return QString::fromLocal8Bit(configured);
    return QDir(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath)).filePath(QStringLiteral("QtWebEngineProcess"));
}

} // namespace

bool BrowserSandboxAvailable()
{
    if (geteuid() == 0)
        return false;
    return canMakeUserNamespace();
}

QString PrepareBrowserEngine()
{
    static bool prepared = false;
    if (!prepared) {
        prepared = true;
        if (!qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") && !BrowserSandboxAvailable()) {
            QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
            if (!flags.split(' ').contains("--no-sandbox")) {
                if (!flags.isEmpty())
                    flags += ' ';
                flags += "--no-sandbox";
                qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
            }
        }
    }
    const QFileInfo helper(helperProgram());
    if (!helper.isFile() || !helper.isExecutable())
        return QStringLiteral("The web browser cannot start: its page engine (%1) is missing.\n"
                              "The editor and your pictures are not affected.")
            .arg(QDir::toNativeSeparators(helper.filePath()));
    return {};
}

} // namespace orv
