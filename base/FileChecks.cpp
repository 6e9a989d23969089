#include "base/FileChecks.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe (FIFO)");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    return QStringLiteral("not a regular file");
}

QString notAFile(const QString &path, mode_t mode)
{
    return QStringLiteral("%1 is %2, not a file.").arg(path, kindOf(mode));
}

} // namespace

bool OpenRegularFile(const QString &path, QFile &file, QIODevice::OpenMode mode, QString *error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name was given."));
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0)
        return fail(error, QStringLiteral("%1: %2").arg(path, qt_error_string(errno)));
    if (!S_ISREG(st.st_mode))
        return fail(error, notAFile(path, st.st_mode));

    // Opened without blocking, so that a FIFO put in the file's place since the check above
    // cannot hang the program; the opened file's own kind decides.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, QStringLiteral("%1: %2").arg(path, qt_error_string(errno)));
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        const QString why = notAFile(path, opened.st_mode);
        ::close(fd);
        return fail(error, why);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | mode, QFileDevice::AutoCloseHandle)) {
        const QString why = file.errorString();
        ::close(fd);
        return fail(error, why);
    }
    return true;
}

bool CheckSaveTarget(const QString &path, QString *error)
{
    if (path.isEmpty())
        return fail(error, QStringLiteral("No file name was given."));
    const QFileInfo info(path);
    QString target = info.absoluteFilePath();
    struct stat st {};
    if (::stat(QFile::encodeName(target).constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return fail(error, notAFile(path, st.st_mode));
        // The save replaces the file a link points to, in that file's folder.
        if (info.isSymLink())
            target = info.canonicalFilePath();
    } else if (errno != ENOENT) {
        return fail(error, QStringLiteral("%1: %2").arg(path, qt_error_string(errno)));
    }

    const QString folder = QFileInfo(target).absolutePath();
    const QByteArray nativeFolder = QFile::encodeName(folder);
    struct stat dir {};
    if (::stat(nativeFolder.constData(), &dir) != 0)
        return fail(error, QStringLiteral("%1: %2").arg(folder, qt_error_string(errno)));
    if (!S_ISDIR(dir.st_mode))
        return fail(error, QStringLiteral("%1 is not a folder.").arg(folder));
    // access() reports a read-only file system (EROFS) even to the superuser, whom permission
    // bits do not stop.
    if (::access(nativeFolder.constData(), W_OK | X_OK) != 0)
        return fail(error, QStringLiteral("The folder %1 cannot be written: %2").arg(folder, qt_error_string(errno)));
    return true;
}

} // namespace orv
