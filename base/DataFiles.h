// Files the program ships beside itself (tips, help, the browser's start page): they are looked
// for in the program's folder first, then in the installed data folder
// (<prefix>/share/orv-image-editor, found relative to the program's folder).
#pragma once

#include <QString>

namespace orv {

// The path of a shipped file or folder. When it exists nowhere, the path beside the program.
QString DataFilePath(const QString &name);

} // namespace orv
