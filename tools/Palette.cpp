#include "tools/Palette.h"

#include "base/FileChecks.h"

#include <QFile>
#include <QSaveFile>

namespace orv {

namespace {

// Longest record worth reading: two numbers with generous blanks around them. A longer line is
// not a record (binary junk, a different kind of file) and ends the reading.
constexpr qint64 MaxRecordLength = 128;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Plain decimal digits with optional blanks around them; at most nine digits, which keeps any
// value far below overflow and covers every valid index and colour (leading zeros included).
bool parseNumber(QByteArrayView text, quint32 *value)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    if (begin == end || end - begin > 9)
        return false;
    quint32 v = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + quint32(c - '0');
    }
    *value = v;
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
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r'))
        line.chop(1);
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return false;
    quint32 i = 0;
    quint32 c = 0;
    if (!parseNumber(line.first(comma), &i) || !parseNumber(line.sliced(comma + 1), &c))
        return false;
    if (i >= quint32(ColourCellCount) || c > 0xFFFFFFu)
        return false;
    *index = int(i);
    *colour = Colour(c);
    return true;
}

int LoadPaletteFile(const QString &path, PaletteCells &cells)
{
    QFile file;
    if (!OpenRegularFile(path, file))
        return 0;
    int applied = 0;
    bool first = true;
    for (int i = 0; i <= ColourCellCount - 1; ++i) {
        QByteArray line = file.readLine(MaxRecordLength);
        if (line.isEmpty())
            return applied;   // end of file (or a read error)
        if (!line.endsWith('\n') && !file.atEnd())
            return applied;   // a line too long to be a record
        if (first && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        first = false;
        int index = 0;
        Colour colour = 0;
        if (!ParsePaletteRecord(line, &index, &colour))
            return applied;
        i = index;
        cells[std::size_t(i)] = colour;
        ++applied;
    }
    return applied;
}

} // namespace orv
