// What the image browser lists in a folder: the files matching its picture pattern, in the order
// the file list shows them (by name, ignoring letter case).
#pragma once

#include <QStringList>

namespace orv {

// "*.jpg;*.gif;*.jpeg;*.dib;*.ico;*.cur;*.bmp;*.wmf"
QString BrowsePattern();
// The pattern as name filters, matched without regard to letter case.
QStringList BrowseNameFilters(const QString &pattern = BrowsePattern());
// File names (not paths) of the folder's matching files; empty for a missing folder.
QStringList BrowseFolderFiles(const QString &folder, const QString &pattern = BrowsePattern());

} // namespace orv
