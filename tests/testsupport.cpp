#include "testsupport.h"

namespace orvtest {

PrivateSettings::PrivateSettings()
{
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

PrivateSettings::~PrivateSettings() = default;

QString asciiArt(const QImage &image, unsigned background)
{
    QString out;
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const unsigned *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            out += ((line[x] | 0xFF000000u) == (background | 0xFF000000u)) ? QLatin1Char('.') : QLatin1Char('#');
        out += QLatin1Char('\n');
    }
    return out;
}

} // namespace orvtest
