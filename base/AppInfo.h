// Facts about the running program: its title (the application name of every settings call),
// version, help file and the six-value stack the editing operations share.
#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>

namespace orv {

// "Orv Image Editor": the main window caption, the splash product name and the application
// name under which every setting is stored.
QString AppTitle();

int VersionMajor();
int VersionMinor();
int VersionRevision();
// "Version 1.0.0": major, minor and revision joined with ".".
QString VersionText();

// The help file beside the program (the file name comes from the string table).
QString HelpFilePath();
// The folder the program runs from.
QString ProgramFolder();

// Six saved values shared by the editing operations: op 0 pushes (the top index grows, then the
// value is stored; at most five pushes fit), op 1 pops (the value at the top is returned, then
// the index shrinks); any other op returns an empty value and changes nothing.
class ValueStackStore {
public:
    QVariant ValueStack(const QVariant &value, int op);
    int top() const { return m_top; }

private:
    std::array<QVariant, 6> m_values;
    std::int16_t m_top = 0;
};

} // namespace orv
