// What the header checks of the different formats share: checked sizes, a forward reader over
// the device, little- and big-endian fields and the refusals every format gives.
#pragma once

#include "base/PictureHeaders.h"

#include <QIODevice>
#include <QtEndian>

#include <limits>

namespace orv::headers {

inline constexpr qint64 Huge = std::numeric_limits<qint64>::max();

// a * b + c, or Huge when that overflows: sizes past any file's size compare as too large.
inline qint64 mulAdd(qint64 a, qint64 b, qint64 c = 0)
{
    qint64 m = 0;
    qint64 r = 0;
    if (!CheckedMul(a, b, &m) || !CheckedAdd(m, c, &r))
        return Huge;
    return r;
}

inline qint64 add(qint64 a, qint64 b)
{
    qint64 r = 0;
    return CheckedAdd(a, b, &r) ? r : Huge;
}

// Reads a device forward through a buffer, skipping without reading where it can.
class ByteStream {
public:
    ByteStream(QIODevice &device, qint64 from) : m_device(device), m_next(from) {}

    qint64 pos() const { return m_next; }

    bool get(uchar &c)
    {
        if (m_at >= m_buffer.size() && !fill())
            return false;
        c = uchar(m_buffer[m_at++]);
        ++m_next;
        return true;
    }

    bool read(uchar *to, int n)
    {
        for (int i = 0; i < n; ++i) {
            if (!get(to[i]))
                return false;
        }
        return true;
    }

    bool le16(quint32 &v)
    {
        uchar b[2];
        if (!read(b, 2))
            return false;
        v = quint32(b[0]) | quint32(b[1]) << 8;
        return true;
    }

    bool be16(quint32 &v)
    {
        uchar b[2];
        if (!read(b, 2))
            return false;
        v = quint32(b[0]) << 8 | quint32(b[1]);
        return true;
    }

    // Moves forward n bytes; false when that passes the end of the device.
    bool skip(qint64 n)
    {
        const qint64 inBuffer = m_buffer.size() - m_at;
        if (n <= inBuffer) {
            m_at += int(n);
            m_next += n;
            return true;
        }
        m_next = add(m_next, n);
        m_buffer.clear();
        m_at = 0;
        return m_next <= m_device.size();
    }

private:
    bool fill()
    {
        if (m_next >= m_device.size() || !m_device.seek(m_next))
            return false;
        m_buffer = m_device.read(64 * 1024);
        m_at = 0;
        return !m_buffer.isEmpty();
    }

    QIODevice &m_device;
    QByteArray m_buffer;
    int m_at = 0;
    qint64 m_next;   // file position of the next byte
};

inline QByteArray bytesAt(QIODevice &d, qint64 at, qint64 n)
{
    if (at < 0 || at >= d.size() || !d.seek(at))
        return {};
    return d.read(n);
}

inline quint32 le32(const QByteArray &b, qint64 at)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

inline quint32 le16(const QByteArray &b, qint64 at)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

inline quint32 be32(const QByteArray &b, qint64 at)
{
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(b.constData()) + at);
}

inline HeaderFacts refuse(const QString &why)
{
    HeaderFacts f;
    f.refusal = why;
    return f;
}

inline QString tooLarge(const HeaderLimits &limits)
{
    return QStringLiteral("The picture is larger than %1 x %1 pixels.").arg(limits.maxSide);
}

// Width and height as decoded: both at least 1 and at most the largest side.
inline bool sizeRefused(qint64 w, qint64 h, const HeaderLimits &limits, HeaderFacts &f, const QString &what)
{
    if (w <= 0 || h <= 0) {
        f = refuse(QStringLiteral("The %1 has no pixels (its width or height is zero).").arg(what));
        return true;
    }
    if (w > limits.maxSide || h > limits.maxSide) {
        f = refuse(tooLarge(limits));
        return true;
    }
    f.size = QSize(int(w), int(h));
    return false;
}

inline const QString CutOff = QStringLiteral("The file is cut off before the end of its pixels.");

// The checks of the formats other than bitmaps and icons (PictureHeaderFormats.cpp).
HeaderFacts checkJpeg(QIODevice &d, const HeaderLimits &limits);
HeaderFacts checkGif(QIODevice &d, const HeaderLimits &limits);
HeaderFacts checkIcns(QIODevice &d);
HeaderFacts checkTga(QIODevice &d, const HeaderLimits &limits);
HeaderFacts checkWbmp(QIODevice &d, const HeaderLimits &limits);
HeaderFacts checkPnm(QIODevice &d, const HeaderLimits &limits);
HeaderFacts checkXbm(QIODevice &d, const HeaderLimits &limits);

} // namespace orv::headers
