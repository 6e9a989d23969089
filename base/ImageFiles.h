// Picture files: every picture is written as a 24-bit bitmap file whatever its name says,
// through a temporary file that replaces the old one only when everything was written.
#pragma once

#include <QImage>
#include <QString>

namespace orv {

// Writes the picture as an uncompressed 24-bit bitmap. On failure the file already on disk is
// left as it was and `error` (when given) says why.
bool SavePicture(const QImage &picture, const QString &path, QString *error = nullptr);

// The bytes of a 24-bit bitmap file of the picture.
QByteArray EncodeBitmap24(const QImage &picture);

} // namespace orv
