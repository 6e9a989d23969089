// The settings store as the program runs it on a settings file it finds at start-up: the file
// is read, a value is written and the file is rewritten. Whatever the file held, nothing the
// reader took from it may be lost: every key it read is in the rewritten file with the same
// value, unless the store judged the file malformed and kept a copy of it aside first (an exact
// copy). A file the store judges well formed is never copied aside and loses nothing.
#include "FuzzSupport.h"

#include "base/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

const QString AppName = QStringLiteral("Fuzz");

// Everything Qt's reader takes from an INI file, read from a name never used before, so that
// no cached reading of an earlier file can answer.
QHash<QString, QVariant> readAll(const QString &path)
{
    static int serial = 0;
    const QString fresh = orvfuzz::scratch() + QStringLiteral("/check-%1.ini").arg(++serial);
    QFile::remove(fresh);
    if (!QFile::copy(path, fresh))
        orvfuzz::fault("cannot copy the settings file to read it back");
    QHash<QString, QVariant> all;
    {
        QSettings s(fresh, QSettings::IniFormat);
        for (const QString &key : s.allKeys())
            all.insert(key, s.value(key));
    }
    QFile::remove(fresh);
    return all;
}

QStringList backups()
{
    return QDir(orv::SettingsFolder()).entryList({AppName + QStringLiteral(".ini.corrupt-*")}, QDir::Files);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(orvfuzz::scratch()));
    orvfuzz::startQt(argc, argv);
    QDir().mkpath(orv::SettingsFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = orv::SettingsFilePath(AppName);
    for (const QString &old : backups())
        QFile::remove(orv::SettingsFolder() + QLatin1Char('/') + old);
    orvfuzz::writeFile(path, input.constData(), input.size());
    // A new modification time for every input, so that the store's reader never takes the
    // file for the one it read before.
    static long serial = 0;
    const struct timespec times[2] = {{1000000000L + ++serial, 0}, {1000000000L + serial, 0}};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);

    const QHash<QString, QVariant> before = readAll(path);
    const bool wellFormed = orv::CheckIniText(input).ok;
    QString kept;
    {
        orv::SettingsStore store(AppName);
        if (!store.set(QStringLiteral("Fuzz Probe"), QStringLiteral("Written"), QStringLiteral("1")) || !store.sync())
            orvfuzz::fault("the store refused to write a settings file in a writable folder");
        kept = store.backupPath();
    }
    const QHash<QString, QVariant> after = readAll(path);

    if (after.value(QStringLiteral("Fuzz Probe/Written")).toString() != QStringLiteral("1"))
        orvfuzz::fault("the value written is not in the rewritten file");
    if (wellFormed && !kept.isEmpty())
        orvfuzz::fault("a well-formed file was copied aside");
    if (!kept.isEmpty()) {
        QFile copy(kept);
        if (!copy.open(QIODevice::ReadOnly) || copy.readAll() != input)
            orvfuzz::fault("the copy kept aside differs from the file", kept);
        return 0;
    }
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        if (it.key() == QStringLiteral("Fuzz Probe/Written"))
            continue;
        const auto found = after.constFind(it.key());
        if (found == after.constEnd())
            orvfuzz::fault("a key read from the file was lost on the rewrite, and no copy was kept", it.key());
        if (found.value() != it.value())
            orvfuzz::fault("a value read from the file changed on the rewrite, and no copy was kept",
                           it.key() + QStringLiteral(" = ") + it.value().toString() + QStringLiteral(" -> ")
                               + found.value().toString());
    }
    return 0;
}
