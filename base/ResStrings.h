// The string table: every text the program shows, by id (1000 to 1249). The table is the file
// resources/strings.txt, compiled into the program as the resource ":/orv/strings.txt" and read
// once, the first time a text is asked for. The file's own header describes its format.
//
// Windows put the texts on their controls with LoadResStrings (app/ResStringsWidget.h); code
// that shows a message or sets a text itself asks for it here:
//
//     MsgBox(LoadResString(1196), ...);            // "Save to this file ?"
//
// This header is free of widgets, so the headless parts of the program can use it.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace orv {

// First and last id of the table.
inline constexpr int FirstResStringId = 1000;
inline constexpr int LastResStringId = 1249;

// The text with this id, or a null QString when the table has no such id (ids outside 1000 to
// 1249 never exist, nor do the few the program asks for on purpose, such as 20 and 21).
QString LoadResString(int id);

// True when the table holds the id.
bool HasResString(int id);

// Every id of the table, in ascending order.
QList<int> ResStringIds();

// Reads a table in the format of resources/strings.txt. Lines that break the format (no TAB
// after the id, an id that is not four digits or lies outside 1000 to 1249, an id given twice,
// an unknown escape) are described in `problems`, one message per line naming its line number;
// a malformed line is left out, and of a twice-given id the first text is kept.
QHash<int, QString> ParseResStringTable(const QString &text, QStringList *problems = nullptr);

// A string id read from the text of a property, as the window loader reads the Tag of labels,
// buttons and frames, menu captions and tab captions: the whole text, blanks around it
// allowed, must be a decimal number; a fraction is rounded to the nearest integer (halves to
// the even neighbour) and the result must fit a 16-bit integer. Returns false for an empty
// or non-numeric text ("", "abc", "12abc") and for a number out of range.
bool ResIdFromText(const QString &text, int *id);

// The leading numeric value of a text, as the window loader reads the Tag and tool tip of
// "any other" control: blanks before and inside the number are skipped, then an optional
// sign, digits, an optional fraction and an optional exponent are read up to the first other
// character. "1144abc" gives 1144, " 12 34" gives 1234, "2.5e2x" gives 250; a text that does
// not start with a number ("abc", "", "x12") gives 0.
double LeadingValue(const QString &text);

} // namespace orv
