// Reading picture files: any format the installed image plugins read, chosen by the file's
// contents. Pictures larger than MaxPictureSide on either side and bitmaps cut off before the
// end of their pixel data are refused rather than shown half-made.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace orv {

// The largest width and height a picture may have to be opened (16384 x 16384 at 32 bits per
// pixel is 1 GiB of pixels).
inline constexpr int MaxPictureSide = 16384;

// Loads the picture at `path`. On failure returns a null image and, when `error` is given,
// says why (for the program's own diagnostics; the user sees the program's open message).
// Refuses directories, unreadable and empty files, unknown or corrupt contents, pictures
// beyond MaxPictureSide and truncated bitmap files.
QImage LoadPicture(const QString &path, QString *error = nullptr);

// For a bitmap file's first bytes and total size: false when the header announces more pixel
// data than the file holds. Files that are not uncompressed bitmaps pass.
bool BitmapSizeConsistent(const QByteArray &head, qint64 fileSize);

// The window size the open command gives a picture of `pixels`: the picture's size in
// HiMetric units (0.01 mm, 96 pixels per inch) taken as a size in twips (15 per pixel).
QSize HiMetricAsTwipsWindowPixels(QSize pixels, int twipsPerPixelX = 15, int twipsPerPixelY = 15);

} // namespace orv
