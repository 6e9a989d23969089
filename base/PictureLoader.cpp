#include "base/PictureLoader.h"

#include "base/Conversions.h"
#include "base/FileChecks.h"
#include "base/PictureHeaders.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <limits>

namespace orv {

namespace {

constexpr qint64 MiB = qint64(1) << 20;

// The file as the decoders see it: reads stop (fail) once the decoding has used its time or the
// waiting thread asked to cancel, which makes every decoder give up at its next read.
class GuardedDevice : public QIODevice {
public:
    GuardedDevice(QIODevice &source, LoadControl *control) : m_source(source), m_control(control)
    {
        m_clock.start();
        open(QIODevice::ReadOnly);
    }

    void setTimeLimit(qint64 ns) { m_limitNs = ns; }
    bool timedOut() const { return m_timedOut; }
    bool cancelled() const { return m_cancelled; }
    qint64 elapsedMs() const { return m_clock.elapsed(); }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_source.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_source.seek(pos); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_control && m_control->cancel.load(std::memory_order_relaxed)) {
            m_cancelled = true;
            return -1;
        }
        if (m_clock.nsecsElapsed() > m_limitNs) {
            m_timedOut = true;
            return -1;
        }
        const qint64 n = m_source.read(data, maxSize);
        if (m_control && n > 0)
            m_control->bytesRead.store(m_source.pos(), std::memory_order_relaxed);
        return n;
    }

    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &m_source;
    LoadControl *m_control;
    QElapsedTimer m_clock;
    qint64 m_limitNs = std::numeric_limits<qint64>::max();
    bool m_timedOut = false;
    bool m_cancelled = false;
};

LoadedPicture failed(LoadFailure why, const QString &reason)
{
    LoadedPicture r;
    r.failure = why;
    r.reason = reason;
    return r;
}

const QList<QByteArray> &installedFormats()
{
    static const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    return formats;
}

bool installed(const QByteArray &format)
{
    return installedFormats().contains(format);
}

// The formats known here by their signature; their plugins recognise nothing else.
QByteArray formatBySignature(const QByteArray &h)
{
    auto starts = [&](const char *sig, int n) { return h.size() >= n && std::memcmp(h.constData(), sig, size_t(n)) == 0; };
    if (starts("BM", 2))
        return "bmp";
    if (starts("\x89PNG\r\n\x1a\n", 8))
        return "png";
    if (starts("\xFF\xD8", 2))
        return "jpeg";
    if (starts("GIF87a", 6) || starts("GIF89a", 6))
        return "gif";
    if (h.size() >= 6 && (starts("\0\0\1\0", 4) || starts("\0\0\2\0", 4)) && (h[4] || h[5]))
        return h[2] == 1 ? "ico" : "cur";
    if (starts("II*\0", 4) || starts("MM\0*", 4) || starts("II+\0", 4) || starts("MM\0+", 4))
        return "tiff";
    if (h.size() >= 12 && starts("RIFF", 4) && std::memcmp(h.constData() + 8, "WEBP", 4) == 0)
        return "webp";
    if (starts("icns", 4))
        return "icns";
    if (starts("\x8AMNG\r\n\x1a\n", 8))
        return "mng";
    if (starts("#define", 7))
        return "xbm";
    if (h.size() >= 3 && h[0] == 'P' && h[1] >= '1' && h[1] <= '6' && std::strchr(" \t\r\n#", h[2]) && h[2]) {
        const char kind = h[1];
        return kind == '1' || kind == '4' ? "pbm" : kind == '2' || kind == '5' ? "pgm" : "ppm";
    }
    return {};
}

bool hasSignature(const QByteArray &format)
{
    static const QList<QByteArray> bySignature = {"bmp", "png", "jpeg", "jpg", "gif", "ico", "cur", "tiff", "tif",
                                                  "webp", "icns", "mng", "pbm", "pgm", "ppm", "xbm"};
    return bySignature.contains(format);
}

// Formats whose files carry no signature: read only when the file's name says so.
bool byNameOnly(const QByteArray &format)
{
    return format == "tga" || format == "wbmp" || format == "dib";
}

bool readerTakes(QIODevice &device, const QByteArray &format)
{
    device.seek(0);
    QImageReader reader;
    reader.setAutoDetectImageFormat(false);
    reader.setFormat(format);
    reader.setDevice(&device);
    const bool yes = reader.canRead();
    reader.setDevice(nullptr);
    device.seek(0);
    return yes;
}

qint64 bytesPerPixel(QImage::Format f)
{
    if (f <= QImage::Format_Invalid || f >= QImage::NImageFormats)
        return 4;
    return std::max(1, QImage::toPixelFormat(f).bitsPerPixel() / 8);
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + MiB - 1) / MiB);
}

} // namespace

QByteArray PictureFormatOf(QIODevice &device, const QString &fileName)
{
    device.seek(0);
    const QByteArray head = device.peek(16);
    const QByteArray signed_ = formatBySignature(head);
    if (!signed_.isEmpty())
        return installed(signed_) ? signed_ : QByteArray();
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (byNameOnly(suffix) && installed(suffix) && readerTakes(device, suffix))
        return suffix;
    // Plugins this program knows no signature of are asked themselves.
    for (const QByteArray &format : installedFormats()) {
        if (!hasSignature(format) && !byNameOnly(format) && readerTakes(device, format))
            return format;
    }
    return {};
}

LoadedPicture ReadPicture(QIODevice &source, const QString &fileName, const PictureBudget &budget, LoadControl *control)
{
    GuardedDevice device(source, control);
    const qint64 fileSize = device.size();
    if (control)
        control->bytesTotal.store(fileSize, std::memory_order_relaxed);
    if (fileSize <= 0)
        return failed(LoadFailure::Unreadable, QStringLiteral("The file is empty."));
    const QByteArray format = PictureFormatOf(device, fileName);
    if (format.isEmpty())
        return failed(LoadFailure::Unreadable, QStringLiteral("Unknown picture format."));

    const HeaderFacts facts = CheckPictureHeader(format, device, HeaderLimits{MaxPictureSide, budget.maxScans});
    if (!facts.refusal.isEmpty())
        return failed(LoadFailure::Refused, facts.refusal);
    if (device.timedOut() || device.cancelled())
        return failed(device.cancelled() ? LoadFailure::Cancelled : LoadFailure::Refused,
                      QStringLiteral("Reading the picture's header took too long."));

    // The reader is told the format: no other plugin looks at the file.
    device.seek(0);
    QImageReader reader;
    reader.setAutoDetectImageFormat(false);
    reader.setFormat(format);
    reader.setDevice(&device);
    if (!reader.canRead())
        return failed(LoadFailure::Unreadable, reader.errorString());

    const QString tooLarge = QStringLiteral("The picture is larger than %1 x %1 pixels.").arg(MaxPictureSide);
    QSize size = facts.size;
    if (!size.isValid()) {
        const QSize announced = reader.size();
        if (announced.width() > MaxPictureSide || std::abs(announced.height()) > MaxPictureSide)
            return failed(LoadFailure::Refused, tooLarge);
        if (announced.width() > 0 && announced.height() != 0)
            size = QSize(announced.width(), std::abs(announced.height()));
    }

    const qint64 available = budget.memoryBytes >= 0 ? budget.memoryBytes : AvailableMemoryBytes();
    qint64 pixels = budget.freePixels;
    if (size.isValid()) {
        pixels = qint64(size.width()) * size.height();
        if (pixels > budget.freePixels && pixels / budget.pixelsPerByte > fileSize)
            return failed(LoadFailure::Refused,
                          QStringLiteral("A file of %1 bytes cannot hold a picture of %2 x %3 pixels; it is damaged.")
                              .arg(fileSize).arg(size.width()).arg(size.height()));
        // Some plugins answer from state a damaged header never set: take the answer as a number
        // and count anything out of range as the widest format.
        const int told = static_cast<int>(reader.imageFormat());
        const QImage::Format decoded = facts.format != QImage::Format_Invalid ? facts.format
            : told > QImage::Format_Invalid && told < QImage::NImageFormats ? static_cast<QImage::Format>(told)
                                                                             : QImage::Format_RGBA64;
        const qint64 cost = PictureOpenCost(size, decoded, budget.documentCopies);
        if (cost > available)
            return failed(LoadFailure::Refused,
                          QStringLiteral("A picture of %1 x %2 pixels needs about %3 MB of memory to edit; %4 MB are "
                                         "available.")
                              .arg(size.width()).arg(size.height()).arg(megabytes(cost), megabytes(available)));
    }
    // For formats that tell their size only while decoding, the reader's own limit stops
    // allocations beyond half the memory there is (and beyond 2 GiB).
    const int limitMb = int(std::clamp<qint64>(available / 2 / MiB, 64, 2048));
    if (QImageReader::allocationLimit() != limitMb)
        QImageReader::setAllocationLimit(limitMb);
    const qint64 limitMs = budget.baseMs + budget.nsPerPixel * pixels / 1000000;
    device.setTimeLimit(limitMs * 1000000);

    QImage image;
    if (facts.clearFirst) {
        image = QImage(size, facts.format);
        if (image.isNull())
            return failed(LoadFailure::Refused, QStringLiteral("There is not enough memory for the picture."));
        image.fill(0);
    }
    const bool read = reader.read(&image);
    if (device.cancelled())
        return failed(LoadFailure::Cancelled, QStringLiteral("Cancelled."));
    if (device.timedOut())
        return failed(LoadFailure::Refused,
                      QStringLiteral("Decoding the picture took longer than %1 seconds; the file is damaged or far too "
                                     "costly to open.")
                          .arg(double(limitMs) / 1000.0, 0, 'f', 1));
    if (!read || image.isNull())
        return failed(LoadFailure::Unreadable, reader.errorString());
    if (image.width() > MaxPictureSide || image.height() > MaxPictureSide)
        return failed(LoadFailure::Refused, tooLarge);
    LoadedPicture done;
    done.image = std::move(image);
    return done;
}

LoadedPicture LoadPictureFile(const QString &path, const PictureBudget &budget, LoadControl *control)
{
    QFile file;
    QString why;
    // The guarded device reads through its own buffer; the file underneath needs none.
    if (!OpenRegularFile(path, file, QIODevice::Unbuffered, &why))
        return failed(LoadFailure::Unreadable, why);
    return ReadPicture(file, path, budget, control);
}

QImage LoadPicture(const QString &path, QString *error)
{
    LoadedPicture r = LoadPictureFile(path);
    if (!r.ok() && error)
        *error = r.reason;
    return r.image;
}

qint64 PictureOpenCost(QSize size, QImage::Format decoded, int copies)
{
    if (size.isEmpty())
        return 0;
    const qint64 pixels = qint64(size.width()) * size.height();
    // A picture decoded as 32-bit pixels becomes the document's first copy; any other is
    // converted, and both exist for a moment.
    const qint64 decodedBytes = decoded == QImage::Format_RGB32 ? 0 : bytesPerPixel(decoded);
    return pixels * (4 * std::max(copies, 1) + decodedBytes);
}

qint64 AvailableMemoryBytes()
{
    qint64 available = std::numeric_limits<qint64>::max();
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (meminfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : meminfo.readAll().split('\n')) {
            if (line.startsWith("MemAvailable:")) {
                bool ok = false;
                const qint64 kb = line.mid(13).trimmed().split(' ').value(0).toLongLong(&ok);
                if (ok)
                    available = kb * 1024;
            }
        }
    }
    // A control group's limit (containers) binds before the machine's memory does.
    QFile max(QStringLiteral("/sys/fs/cgroup/memory.max"));
    QFile current(QStringLiteral("/sys/fs/cgroup/memory.current"));
    if (max.open(QIODevice::ReadOnly) && current.open(QIODevice::ReadOnly)) {
        bool okMax = false;
        bool okCurrent = false;
        const qint64 limit = max.readAll().trimmed().toLongLong(&okMax);
        const qint64 used = current.readAll().trimmed().toLongLong(&okCurrent);
        if (okMax && okCurrent)
            available = std::min(available, std::max<qint64>(0, limit - used));
    }
    return available;
}

QSize HiMetricAsTwipsWindowPixels(QSize pixels, int twipsPerPixelX, int twipsPerPixelY)
{
    constexpr double HiMetricPerPixel = 2540.0 / 96.0;
    return QSize(CInt(pixels.width() * HiMetricPerPixel / twipsPerPixelX),
                 CInt(pixels.height() * HiMetricPerPixel / twipsPerPixelY));
}

} // namespace orv
