#include "aux/BrowserEngine.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include <sched.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orv {

namespace {

// A user namespace can only be made by a process with one thread, so a child tries it and
// reports back by its exit status.
bool canMakeUserNamespace()
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        _exit(unshare(CLONE_NEWUSER) == 0 ? 0 : 1);
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
