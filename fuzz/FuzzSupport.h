// What every fuzz target needs: a Qt application object (the image plugins are found through
// it), and a scratch folder of its own in memory where each input is written as the file the
// program then opens, exactly as the editor opens a file the user chose.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace orvfuzz {

// The scratch folder: under /dev/shm when it exists (no disk writes for millions of inputs),
// else the system's temporary folder; removed when the process ends normally.
inline const QString &scratch()
{
    static const QString dir = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QByteArray pattern = QFile::encodeName(base + QStringLiteral("/orv-fuzz-XXXXXX"));
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        const QString made = QFile::decodeName(pattern);
        std::atexit([] { QDir(scratch()).removeRecursively(); });
        return made;
    }();
    return dir;
}

inline void startQt(int *argc, char ***argv)
{
    static QCoreApplication *app = nullptr;
    if (!app)
        app = new QCoreApplication(*argc, *argv);
    scratch();
}

inline void writeFile(const QString &path, const char *data, qsizetype size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data, size) != size) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

// Stops the run with a message: libFuzzer keeps the input that did it.
[[noreturn]] inline void fault(const char *what, const QString &detail = {})
{
    std::fprintf(stderr, "FAULT: %s\n%s\n", what, qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

} // namespace orvfuzz
