// Crash recovery: every document with unsaved changes is kept, as a bitmap of its last committed
// picture and a small record (caption, tag, path), in the user's state folder
// ($XDG_STATE_HOME/orv-image-editor/recovery, by default ~/.local/state/...). The keeper writes
// a document's copy a short while after its picture changed, atomically, never while a button is
// held; a save or a clean close removes the copy. Copies left by a program that died are offered
// at the next start.
#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace orv {

class Document;
class UndoSnapshot;

// One document kept aside.
struct RecoveryRecord {
    QString id;          // file stem inside the folder
    QString caption;     // the window caption (the file's path for a saved picture)
    QString tag;         // the document's Tag ("Register" when the caption is a file path)
    QString path;        // the file the picture belongs to, empty for a new picture
    QImage picture;      // loaded by readRecords()
};

// The recovery folder: $XDG_STATE_HOME (or ~/.local/state) + /orv-image-editor/recovery.
QString RecoveryFolder();

// Every complete record in the folder (a bitmap with its record file), oldest first.
QList<RecoveryRecord> readRecords();
// Removes one record's files.
void removeRecord(const QString &id);

// Writes and removes the copies of one program run's documents.
class RecoveryKeeper {
public:
    RecoveryKeeper();
    ~RecoveryKeeper();
    // Brings the folder in line with the documents: writes the copy of each document with
    // unsaved changes whose picture changed since its last copy, removes the copies of
    // documents that were saved or closed. Returns the number of copies written.
    int sync(const QList<const Document *> &docs);
    // A clean end: removes every copy this run wrote.
    void clear();

private:
    struct Kept {
        QString id;
        std::weak_ptr<const UndoSnapshot> shown;   // the snapshot the copy was made from
        int index = 0;
        QString caption;
    };
    QHash<const Document *, Kept> m_kept;
    QString m_prefix;
    int m_next = 1;
};

} // namespace orv
