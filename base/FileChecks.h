// Which paths the program reads from and writes to. Pictures and palettes are only ever read
// from regular files and written as regular files: a folder, a device, a FIFO or a socket is
// refused before anything opens it, so that opening can never block (a FIFO waits for a writer
// forever) and saving can never write to a device or replace its node by a file.
#pragma once

#include <QIODevice>
#include <QString>

class QFile;

namespace orv {

// Opens the regular file at `path` (a link to one is followed) for reading into `file`, with
// `mode` added to ReadOnly (Unbuffered, for instance). Anything else is refused without being
// opened for use: the kind is checked before opening, and again on the opened file, so that a
// file swapped for a FIFO in between cannot block. On failure returns false and, when `error`
// is given, says why.
bool OpenRegularFile(const QString &path, QFile &file, QIODevice::OpenMode mode = {}, QString *error = nullptr);

// True when saving to `path` would write a regular file: the path names an existing regular file
// (a link to one is followed) or a new name, and the folder that will hold it can be written.
// Folders, devices, FIFOs and sockets are refused, and so are paths through a file and folders
// that are read-only (on a read-only file system too, which binds even the superuser).
bool CheckSaveTarget(const QString &path, QString *error = nullptr);

} // namespace orv
