// Picture files: every picture is written as a 24-bit bitmap file whatever its name says,
// through a temporary file that replaces the old one only when everything was written.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace orv {

// Writes the picture as an uncompressed 24-bit bitmap. Only a regular file (or a new name in a
// folder that can be written) is written. On failure (a device or folder named, a read-only
// folder, a full disk) the file already on disk is left as it was and `error` (when given) says
// why.
bool SavePicture(const QImage &picture, const QString &path, QString *error = nullptr);

// True when a 24-bit bitmap file of a picture this size stays within the 2 GiB the format's
// signed size fields can describe.
bool BitmapFileFits(QSize size);

} // namespace orv
