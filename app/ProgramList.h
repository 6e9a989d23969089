// The list of sibling programs shared by every program of the maker on this computer, kept in
// the settings store under "Orv Programs", section "RegistryPath": "LastIndex" slots, each key
// "1".."LastIndex" holding a program's application title (or the word False for a freed slot).
// Each program keeps its own facts (Registered, ExeName, Path, Major, Minor, Revision) under
// its own title, section "General".
#pragma once

#include <QList>
#include <QString>

namespace orv {

struct SiblingProgram {
    QString title;   // the sibling's application title: the menu caption
    QString path;    // its recorded folder ("False" when it never recorded one)
};

// At most `maxItems` siblings in slot order, skipping this program's own title and "False".
QList<SiblingProgram> LoadSiblingPrograms(const QString &ownTitle, int maxItems = 5);

// What this program records about itself at exit.
struct ProgramFacts {
    QString title;
    QString exeName;   // executable name without extension
    QString path;      // folder of the executable
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// Takes a slot the first time (LastIndex + 1, Registered = True) and always writes the facts.
void RegisterProgram(const ProgramFacts &facts);

// The running program's facts.
ProgramFacts CurrentProgramFacts();

// The command line that starts a sibling: its folder, "/", its recorded executable name and
// this platform's executable suffix (none). Empty when nothing was recorded.
QString SiblingExecutable(const QString &title, const QString &folder);

} // namespace orv
