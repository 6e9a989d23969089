// Shared helpers for the test executables: a private settings folder per test run, files
// written and read back byte for byte, and pixel comparison helpers.
#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace orvtest {

// Points the settings store of every application name at a fresh temporary folder for the
// lifetime of the object, so that tests never read or write the user's settings.
class PrivateSettings {
public:
    PrivateSettings();
    ~PrivateSettings();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// Writes a file as another program (or a damaged disk) would. Each file gets a modification time
// of its own, so that the settings parser, which skips re-reading a file whose size and time it
// has already seen, cannot mistake the new content for the old.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    static int written = 0;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return false;
    return f.setFileTime(QDateTime::currentDateTime().addSecs(-3600 - ++written),
                         QFileDevice::FileModificationTime);
}

// The same as a file `name` in `dir`: its path, or an empty text when it could not be written.
inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    return writeFile(path, bytes) ? path : QString();
}

// Text dump of the pixels of a small image ('.' for the background colour, '#' for any other),
// for readable failure messages in pixel tests.
QString asciiArt(const QImage &image, unsigned background = 0xFFFFFFFFu);

// The first (x, y) of a width x height area where got(x, y) != want(x, y), as "x,y: got instead
// of want" in hex; empty when all match. QCOMPARE(..., QString()) then checks a whole picture
// exactly and names the pixel that is off.
template<typename Got, typename Want>
QString firstDifference(int width, int height, Got got, Want want)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto g = got(x, y);
            const auto w = want(x, y);
            if (g != w)
                return QStringLiteral("%1,%2: %3 instead of %4").arg(x).arg(y).arg(qulonglong(g), 0, 16).arg(qulonglong(w), 0, 16);
        }
    return QString();
}

} // namespace orvtest
