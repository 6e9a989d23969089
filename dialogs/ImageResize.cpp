#include "dialogs/ImageResize.h"

#include "base/Conversions.h"
#include "base/PictureLoader.h"
#include "base/ResStrings.h"
#include "document/Document.h"
#include "document/surface/PictureThreads.h"
#include "document/surface/VectorState.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv {

int MaxImageSide()
{
    return MaxPictureSide;
}

std::optional<double> ParseSizeText(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> SideFromNumber(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double r = RoundHalfEven(value);
    if (r < 1 || r > MaxImageSide())
        return std::nullopt;
    return int(r);
}

void ScaleNearest(const Surface &from, Surface &to, double xs, double ys, const std::function<void(int row)> &rowDone)
{
    ClearUpperVectorState();
    const int W = to.ScaleWidth();
    const int H = to.ScaleHeight();
    const int fw = from.ScaleWidth();
    const int fh = from.ScaleHeight();
    if (W <= 0 || H <= 0 || fw <= 0 || fh <= 0 || !(xs > 0) || !(ys > 0))
        return;
    // The source column of every destination column, once; -1 where it falls outside.
    std::vector<int> column(std::size_t(W), -1);
    int first = W, last = -1;
    for (int x = 0; x < W; ++x) {
        const int sx = CInt(x / xs);
        if (sx >= 0 && sx < fw) {
            column[std::size_t(x)] = sx;
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    // The rows to write are made the surface's own first; a large picture then shares them with
    // a second thread. Progress is reported from the calling thread, scaled to the whole.
    std::vector<std::uint32_t *> out(std::size_t(H), nullptr);
    std::vector<const std::uint32_t *> in(std::size_t(H), nullptr);
    for (int y = 0; y < H; ++y) {
        const int sy = CInt(y / ys);
        if (sy >= 0 && sy < fh && last >= first) {
            in[std::size_t(y)] = from.constScanLine(sy);
            out[std::size_t(y)] = to.scanLine(y);
        }
    }
    const bool split = UseSecondThread(qint64(W) * H);
    const int lower = split ? SecondThreadStart(H) : H;
    RunRowsSplit(H, split, 1, [&](int y0, int y1, bool calling) {
        for (int y = y0; y < y1; ++y) {
            if (const std::uint32_t *s = in[std::size_t(y)]) {
                std::uint32_t *d = out[std::size_t(y)];
                for (int x = first; x <= last; ++x) {
                    const int sx = column[std::size_t(x)];
                    if (sx >= 0)
                        d[x] = s[sx];
                }
            }
            if (calling && rowDone)
                rowDone(split ? int(qint64(y) * (H - 1) / std::max(lower - 1, 1)) : y);
        }
    });
    if (split && rowDone)
        rowDone(H - 1);
    to.markDirty(QRect(0, 0, W, H));
}

bool ResizeDocument(Document &doc, double newWidth, double newHeight, const std::function<void(int row)> &rowDone)
{
    const std::optional<int> w = SideFromNumber(newWidth);
    const std::optional<int> h = SideFromNumber(newHeight);
    if (!w || !h)
        return false;
    Surface &pic = doc.Picture1;
    const int oldW = pic.ScaleWidth();
    const int oldH = pic.ScaleHeight();
    if (oldW <= 0 || oldH <= 0)
        return false;
    const double xs = newWidth / oldW;
    const double ys = newHeight / oldH;
    // The whole picture is scaled: a selection stays as it is, but its clip region does not
    // hold back the scaling.
    const Region clip = pic.clipRegion();
    pic.SelectClipRgn(Region());
    pic.resize(*w, *h);
    if (xs >= 1 && ys >= 1) {
        StretchBlt(pic, 0, 0, pic.ScaleWidth(), pic.ScaleHeight(), pic, 0, 0, oldW, oldH, SRCCOPY);
    } else {
        ScaleNearest(doc.Picture2, pic, xs, ys, rowDone);
    }
    pic.SelectClipRgn(clip);
    doc.Refresh();
    FitWindowToPicture(doc);
    doc.Form_Resize();
    doc.Undo(3);
    // Picture2 and PicOrg follow the new picture, as after every commit.
    doc.Picture2.copyFrom(pic);
    doc.PicOrg.copyFrom(pic);
    doc.markPreviewInSync();
    return true;
}

bool ResizeCanvas(Document &doc, int width, int height)
{
    if (width < 1 || height < 1 || width > MaxImageSide() || height > MaxImageSide())
        return false;
    // The new area shows the surface's own background colour, the one it took when the
    // document window was made.
    doc.Picture1.setHeight(height);
    doc.Picture1.setWidth(width);
    doc.Refresh();
    doc.Form_Resize();
    doc.Undo(3);
    doc.Picture2.copyFrom(doc.Picture1);
    doc.PicOrg.copyFrom(doc.Picture1);
    doc.markPreviewInSync();
    return true;
}

void FitWindowToPicture(Document &doc)
{
    DocumentView *view = doc.view();
    if (!view || view->WindowState() != 0)
        return;
    // The window's client area holds the picture, so every pixel of it can be reached at 1:1:
    // the frame comes on top of the picture's size in both directions.
    const QSize outer = view->WindowPixels();
    const QSize client = view->ClientPixels();
    const int frameW = std::max(0, outer.width() - client.width());
    const int frameH = std::max(0, outer.height() - client.height());
    view->SetWindowPixels(QSize(frameW + doc.Picture1.ScaleWidth(), frameH + doc.Picture1.ScaleHeight()));
}

} // namespace orv
