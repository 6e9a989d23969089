// Reading picture files: any format the installed image plugins read, chosen by the file's
// contents (formats without a signature by the file's extension). Before anything is decoded the
// program reads the header itself and refuses pictures larger than MaxPictureSide on either side,
// files cut off before the end of their pixels, and files whose decoding would cost far more than
// a picture of their size ever does (more pixels than such a small file can hold, more JPEG scans
// than any encoder writes, more memory than the computer has). Decoding runs under a time limit
// and can be cancelled from another thread.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>

class QIODevice;

namespace orv {

// The largest width and height a picture may have to be opened (16384 x 16384 at 32 bits per
// pixel is 1 GiB of pixels).
inline constexpr int MaxPictureSide = 16384;

// What opening a picture may cost.
struct PictureBudget {
    // Any picture up to this many pixels opens whatever its file's size; a larger one may have
    // at most `pixelsPerByte` pixels per byte of its file. Real pictures stay far below that
    // (a flat-coloured PNG about 350, a 1-bit one about 8000 at the very most); a small file
    // announcing a huge picture is damaged or made to exhaust the computer.
    qint64 freePixels = qint64(4096) * 4096;
    qint64 pixelsPerByte = 4096;
    // Scans of a JPEG file (a progressive picture has about ten; each one is a pass over all
    // the picture's pixels).
    int maxScans = 100;
    // Decoding may take this long, plus nsPerPixel for every pixel of the picture.
    qint64 baseMs = 2000;
    qint64 nsPerPixel = 100;
    // The memory the opened picture may take: the decoded pixels, their conversion and the
    // document's copies of it. -1: the memory the system has available now.
    qint64 memoryBytes = -1;
    // 32-bit copies of the picture the document holds once it is open (its surfaces and the
    // first undo snapshot) and after its first stroke.
    int documentCopies = 4;
};

// Shared between the thread that loads a picture and one that waits for it.
struct LoadControl {
    std::atomic<bool> cancel{false};
    std::atomic<qint64> bytesRead{0};
    std::atomic<qint64> bytesTotal{0};
};

enum class LoadFailure {
    None,
    Unreadable,   // not a picture the installed plugins read (or not a file at all)
    Refused,      // a picture, but refused before or while decoding: `reason` says why
    Cancelled,
};

struct LoadedPicture {
    QImage image;
    LoadFailure failure = LoadFailure::None;
    QString reason;
    bool ok() const { return failure == LoadFailure::None; }
};

// Opens the regular file at `path` (anything else is refused unopened) and reads it.
LoadedPicture LoadPictureFile(const QString &path, const PictureBudget &budget = {}, LoadControl *control = nullptr);

// Reads a picture from an open device; `fileName` gives the extension for formats without a
// signature (TGA, WBMP, DIB).
LoadedPicture ReadPicture(QIODevice &device, const QString &fileName, const PictureBudget &budget = {},
                          LoadControl *control = nullptr);

// LoadPictureFile with the default budget: the picture, or a null image and the reason.
QImage LoadPicture(const QString &path, QString *error = nullptr);

// The reader format a file is read as ("bmp", "jpeg", "tga", ...), or empty when no installed
// plugin takes it. The device is left at its start.
QByteArray PictureFormatOf(QIODevice &device, const QString &fileName);

// Bytes a picture of `size` decoded as `decoded` costs until it is open in a document keeping
// `copies` 32-bit copies of it.
qint64 PictureOpenCost(QSize size, QImage::Format decoded, int copies);

// The memory the system can give the program now: what the kernel reports available, within the
// program's control group's limit when it has one.
qint64 AvailableMemoryBytes();

// The window size the open command gives a picture of `pixels`: the picture's size in
// HiMetric units (0.01 mm, 96 pixels per inch) taken as a size in twips (15 per pixel).
QSize HiMetricAsTwipsWindowPixels(QSize pixels, int twipsPerPixelX = 15, int twipsPerPixelY = 15);

} // namespace orv
