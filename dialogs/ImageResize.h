// The work behind the resize, canvas-size and rotate dialogs, free of widgets so that it runs
// headless: reading the size boxes, scaling the picture, changing the canvas and fitting the
// document window to the new size.
#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace orv {

class Document;
class Surface;

// Largest width and height the dialogs accept, the same limit the file loader keeps
// (16384 x 16384 at 32 bits per pixel is already 1 GiB).
int MaxImageSide();

// A size box's number: the whole text must be a number (blanks around it allowed); fractions
// are kept. Nothing for empty or non-numeric text.
std::optional<double> ParseSizeText(const QString &text);

// A side in pixels from a box's number (rounded, halves to even), or nothing when it is not
// between 1 and MaxImageSide().
std::optional<int> SideFromNumber(double value);

// Nearest-pixel scaling of `from` into `to` (already at its new size): destination pixel (x, y)
// takes the source pixel (CInt(x / xs), CInt(y / ys)); pixels whose source is outside `from`
// are left. Per-column and per-row source indices are computed once, so the loop itself only
// copies. `rowDone` (if set) is called after every row with its index.
void ScaleNearest(const Surface &from, Surface &to, double xs, double ys,
                  const std::function<void(int row)> &rowDone = {});

// The resize dialog's OK: scales the whole picture of `doc` to `newWidth` x `newHeight`
// (unrounded numbers from the boxes). Enlarging both ways is one block stretch of the picture
// onto the larger surface; anything else maps every pixel from the last committed picture
// (Picture2). The whole picture is scaled, also while a selection exists; the selection
// stays. Then the window is fitted, laid out again, and one snapshot is taken. `rowDone`
// follows the per-pixel loop.
// Returns false (and changes nothing) for a size outside 1 to MaxImageSide().
bool ResizeDocument(Document &doc, double newWidth, double newHeight,
                    const std::function<void(int row)> &rowDone = {});

// The canvas-size dialog's OK: the surface becomes `width` x `height`, keeping its pixels at the
// top-left and showing the surface's own background colour (Picture1.BackColor, unchanged) in
// any new area; the window is laid out again and
// one snapshot is taken. False (nothing changes) for a size outside 1 to MaxImageSide().
bool ResizeCanvas(Document &doc, int width, int height);

// Sizes a normal (neither minimized nor maximized) document window to its picture: the
// window's frame around a client area of the picture's size.
void FitWindowToPicture(Document &doc);

} // namespace orv
