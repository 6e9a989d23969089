// The colour box's 48 cells: the default colours and the palette file format (*.orvp), one
// line per cell, "index,colour" in decimal with CRLF line ends.
#pragma once

#include "document/surface/Surface.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace orv {

constexpr int ColourCellCount = 48;

// The design colours of the cells, 0x00BBGGRR, cell index = 4 × row + column.
constexpr std::array<Colour, ColourCellCount> DefaultCellColours = {
    0xFFFFFF, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, //
    0xE0E0E0, 0x8080FF, 0x80C0FF, 0x80FFFF, //
    0xC0C0C0, 0x0000FF, 0x0080FF, 0x00FFFF, //
    0x808080, 0x0000C0, 0x0040C0, 0x00C0C0, //
    0x404040, 0x000080, 0x004080, 0x008080, //
    0x000000, 0x000040, 0x404080, 0x004040, //
    0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF, //
    0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF, //
    0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, //
    0x00C000, 0xC0C000, 0xC00000, 0xC000C0, //
    0x008000, 0x808000, 0xC00000, 0x800080, //
    0x004000, 0x404000, 0x400000, 0x400040, //
};

using PaletteCells = std::array<Colour, ColourCellCount>;

// The file's text for these cells: 48 lines "index,colour", both decimal, each ended by CR LF,
// no blanks, quotes or header. The first line for the default colours is "0,16777215".
QByteArray PaletteFileText(const PaletteCells &cells);

// Writes the cells as a palette file, replacing the file only once the whole text is written:
// when anything fails, an existing file keeps its old content. On failure returns false and,
// when `error` is given, puts the system's reason there.
bool SavePaletteFile(const QString &path, const PaletteCells &cells, QString *error = nullptr);

// Reads one record "index,colour": two numbers separated by a comma, a CR or LF (or both) at
// the end allowed. Each number may carry blanks (spaces, tabs) around it, a sign, any number of
// leading zeros, a fraction and an exponent ("5", "+5", "0005", "5.0", "0.5e1" all read 5), and
// is rounded to a whole number, halves to the even neighbour: the index to a 16-bit number that
// must lie in 0 to 47, the colour to a 32-bit one of which the cell keeps the low 24 bits
// (0x00BBGGRR): "16777216" reads 0 and "-1" reads 0xFFFFFF.
// Returns false for any other text, leaving index and colour untouched.
bool ParsePaletteRecord(QByteArrayView line, int *index, Colour *colour);

// Reads a palette file into `cells` with the loop-counter rule: the index a record names becomes
// the loop counter, so each record fills the cell it names and reading stops after the record
// that names cell 47 (a file whose first record names cell 40 is read for eight records when the
// next ones name 41 to 47). Records are read as ParsePaletteRecord reads them, however long the
// line. Reading stops silently at the first bad record, at the end of the file, or when the file
// cannot be opened; the cells already read keep their new colours and the others keep theirs. A
// UTF-8 byte-order mark before the first record is skipped. Returns the number of records
// applied (0 for a missing, empty or unreadable file).
int LoadPaletteFile(const QString &path, PaletteCells &cells);

} // namespace orv
