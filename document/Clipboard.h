// Pictures on the desktop's clipboard, shared with other programs.
#pragma once

#include <QImage>

namespace orv {

// Puts a picture on the clipboard, offered both as PNG and as BMP (and as the toolkit's own
// picture format) so that other programs can take whichever they read. Does nothing without a
// running GUI application.
void PutPictureOnClipboard(const QImage &picture);

// The picture on the clipboard in any image format it offers (PNG, BMP, ...), or a null image
// when it holds none (empty, text only, or unreadable data).
QImage PictureFromClipboard();

// Empties the clipboard.
void ClearClipboard();

} // namespace orv
