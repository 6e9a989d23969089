// Shared helpers for the test executables: a private settings folder per test run and
// pixel comparison helpers.
#pragma once

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
