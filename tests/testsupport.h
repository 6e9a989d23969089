// Shared helpers of the tests: a private settings folder, files written and read, pixel comparison.
#pragma once

// Every test sees the whole of Qt Core, Gui, Widgets and Test and the standard containers, so a
// test file lists only the program's own headers (the test targets share one precompiled header).
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

namespace orvtest {

// Points the settings of every application name at a fresh temporary folder while it lives.
class PrivateSettings {
public:
    PrivateSettings();
    ~PrivateSettings();
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A test class whose every test function starts on a fresh private settings folder.
class FreshSettingsTest : public QObject {
    Q_OBJECT
protected slots:
    void init() { m_settings = std::make_unique<PrivateSettings>(); }
    void cleanup() { m_settings.reset(); }

protected:
    std::unique_ptr<PrivateSettings> m_settings;
};

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// Writes a file as another program would, each with a modification time of its own (the settings
// parser skips re-reading a file whose size and time it has seen).
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

// The same as file `name` in `dir`: its path, or an empty text when it could not be written.
inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    return writeFile(path, bytes) ? path : QString();
}

// The pixels of a small image as text ('.' for the background colour, '#' for any other).
QString asciiArt(const QImage &image, unsigned background = 0xFFFFFFFFu);

// The first (x, y) where got(x, y) != want(x, y), as "x,y: got instead of want" in hex; empty
// when all match, so QCOMPARE(..., QString()) checks a whole picture and names the pixel off.
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
