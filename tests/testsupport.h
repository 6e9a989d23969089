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

} // namespace orvtest
