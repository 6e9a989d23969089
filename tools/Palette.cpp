#include "tools/Palette.h"

#include "base/Conversions.h"
#include "base/FileChecks.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <optional>

namespace orv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Where the characters of a record come from: a line held in memory, or the file itself read
// in blocks, so a line of any length costs only the block being looked at.
class RecordSource {
public:
    explicit RecordSource(QByteArrayView text) : m_text(text) {}
    explicit RecordSource(QFile *file) : m_file(file) {}

    // The next character, or -1 at the end.
    int peek()
    {
        if (m_pos >= m_text.size() && !refill())
            return -1;
        return static_cast<unsigned char>(m_text[m_pos]);
    }
    void next() { ++m_pos; }

private:
    bool refill()
    {
        if (!m_file)
            return false;
        m_block = m_file->read(64 * 1024);
        m_text = m_block;
        m_pos = 0;
        return !m_block.isEmpty();
    }

    QFile *m_file = nullptr;
    QByteArray m_block;
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

bool atFieldEnd(int c) { return c < 0 || c == ',' || c == '\r' || c == '\n'; }

// One number up to the next comma or line end (which stays unread): blanks around it, an
// optional sign, digits with an optional fraction, and an optional exponent. The digits are
// kept only as far as a double can use them, so leading zeros and long digit runs cost nothing.
bool readNumber(RecordSource &in, double *value)
{
    while (isBlank(char(in.peek())))
        in.next();
    QByteArray text;
    if (in.peek() == '+' || in.peek() == '-') {
        text += char(in.peek());
        in.next();
    }
    constexpr int MaxDigits = 40;
    QByteArray digits;         // significant digits, without leading zeros
    long long scale = 0;       // decimal exponent of the digits kept
    bool anyDigit = false;
    for (; isDigit(char(in.peek())); in.next()) {
        anyDigit = true;
        const char c = char(in.peek());
        if (digits.isEmpty() && c == '0')
            continue;
        if (digits.size() < MaxDigits)
            digits += c;
        else
            ++scale;
    }
    if (in.peek() == '.') {
        in.next();
        for (; isDigit(char(in.peek())); in.next()) {
            anyDigit = true;
            const char c = char(in.peek());
            if (digits.isEmpty() && c == '0') {
                --scale;
                continue;
            }
            if (digits.size() < MaxDigits) {
                digits += c;
                --scale;
            }
        }
    }
    if (!anyDigit)
        return false;
    long long exponent = 0;
    const int e = in.peek();
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        in.next();
        bool negative = false;
        if (in.peek() == '+' || in.peek() == '-') {
            negative = in.peek() == '-';
            in.next();
        }
        if (!isDigit(char(in.peek())))
            return false;
        for (; isDigit(char(in.peek())); in.next())
            exponent = std::min(exponent * 10 + (in.peek() - '0'), 100000LL);
        if (negative)
            exponent = -exponent;
    }
    while (isBlank(char(in.peek())))
        in.next();
    if (!atFieldEnd(in.peek()))
        return false;
    if (digits.isEmpty()) {
        *value = 0;
        return true;
    }
    text += digits + 'e' + QByteArray::number(std::clamp(scale + exponent, -100000LL, 100000LL));
    bool ok = false;
    const double v = text.toDouble(&ok);   // C number format, whatever the user's locale
    if (!std::isfinite(v))
        return false;
    *value = ok ? v : 0;   // an exponent far below the smallest double reads 0
    return true;
}

// One record "index,colour" and its line end.
bool readRecord(RecordSource &in, int *index, Colour *colour)
{
    double i = 0;
    double c = 0;
    if (!readNumber(in, &i) || in.peek() != ',')
        return false;
    in.next();
    if (!readNumber(in, &c) || in.peek() == ',')
        return false;
    if (in.peek() == '\r')
        in.next();
    if (in.peek() == '\n')
        in.next();
    const std::optional<std::int16_t> i16 = ToInt16(i);
    const std::optional<std::int32_t> c32 = ToInt32(c);
    if (!i16 || *i16 < 0 || *i16 >= ColourCellCount || !c32)
        return false;
    *index = *i16;
    *colour = Colour(std::uint32_t(*c32)) & 0xFFFFFFu;   // the cell's colour is 0x00BBGGRR
    return true;
}

} // namespace

QByteArray PaletteFileText(const PaletteCells &cells)
{
    QByteArray text;
    text.reserve(ColourCellCount * 12);
    for (int i = 0; i < ColourCellCount; ++i) {
        text += QByteArray::number(i);
        text += ',';
        text += QByteArray::number(cells[std::size_t(i)]);
        text += "\r\n";
    }
    return text;
}

bool SavePaletteFile(const QString &path, const PaletteCells &cells, QString *error)
{
    if (!CheckSaveTarget(path, error))
        return false;
    QSaveFile file(path);
    const QByteArray text = PaletteFileText(cells);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool ParsePaletteRecord(QByteArrayView line, int *index, Colour *colour)
{
    RecordSource in(line);
    int i = 0;
    Colour c = 0;
    if (!readRecord(in, &i, &c) || in.peek() >= 0)
        return false;
    *index = i;
    *colour = c;
    return true;
}

int LoadPaletteFile(const QString &path, PaletteCells &cells)
{
    QFile file;
    if (!OpenRegularFile(path, file))
        return 0;
    if (file.peek(3) == "\xEF\xBB\xBF")
        file.read(3);
    RecordSource in(&file);
    int applied = 0;
    for (int i = 0; i <= ColourCellCount - 1; ++i) {
        int index = 0;
        Colour colour = 0;
        if (!readRecord(in, &index, &colour))
            return applied;   // the end of the file, a read error or a bad record
        i = index;
        cells[std::size_t(i)] = colour;
        ++applied;
    }
    return applied;
}

} // namespace orv
