// Whole-image and selection transforms: flips, rotation and clearing.
#include "document/Document.h"

#include "base/AppState.h"
#include "base/Conversions.h"
#include "base/ResStrings.h"
#include "document/LoopYield.h"
#include "document/Rotation.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orv {

// ---------------------------------------------------------------------------------------------
// Flips: a mirrored copy of the picture as it was, over the whole image or the selection (whose
// region clips the copy).
// ---------------------------------------------------------------------------------------------

void Document::sub_FlipHorizontal()
{
    Picture2.copyFrom(Picture1);
    const QImage before = Picture2.Image();
    if (RectHWND) {
        const double L = ShapeRect1.Left, T = ShapeRect1.Top, W = ShapeRect1.Width, H = ShapeRect1.Height;
        Picture1.PaintPicture(before, L, T, W, H, L + W - 1, T, -W, H, SRCCOPY);
        retakeLiftedBlock();
    } else {
        const int W = Picture1.ScaleWidth();
        const int H = Picture1.ScaleHeight();
        Picture1.PaintPicture(before, 0, 0, W + 1, H, Picture2.ScaleWidth() - 1, 0, -Picture2.ScaleWidth(),
                              Picture2.ScaleHeight(), SRCCOPY);
    }
    refreshPicture();
    SnapshotAndSync(Picture1, Picture2, PicOrg, false);
}

void Document::sub_FlipVertical()
{
    Picture2.copyFrom(Picture1);
    const QImage before = Picture2.Image();
    if (RectHWND) {
        const double L = ShapeRect1.Left, T = ShapeRect1.Top, W = ShapeRect1.Width, H = ShapeRect1.Height;
        Picture1.PaintPicture(before, L, T, W, H, L, T + H - 1, W, -H, SRCCOPY);
        retakeLiftedBlock();
    } else {
        const int W = Picture1.ScaleWidth();
        const int H = Picture1.ScaleHeight();
        Picture1.PaintPicture(before, 0, 0, W, H + 1, 0, Picture2.ScaleHeight() - 1, Picture2.ScaleWidth(),
                              -Picture2.ScaleHeight(), SRCCOPY);
    }
    refreshPicture();
    SnapshotAndSync(Picture1, Picture2, PicOrg, false);
}

// ---------------------------------------------------------------------------------------------
// Rotation
// ---------------------------------------------------------------------------------------------

void Document::sub_ROTATE(double &Angle, std::int16_t &Direction, std::int16_t &Erase)
{
    const int W = Picture1.ScaleWidth();
    const int H = Picture1.ScaleHeight();
    if (W <= 0 || H <= 0)
        return;
    // 1. The centre: of the selection's bounding rectangle, or of the image.
    int cx, cy;
    if (RectHWND) {
        cx = CInt(std::abs(double(rectLeft) + rectRight) / 2);
        cy = CInt(std::abs(double(rectTop) + rectBottom) / 2);
    } else {
        cx = CInt(W / 2.0);
        cy = CInt(H / 2.0);
    }
    // 2. Degrees to radians, with Pi as the single-precision value it is stored as; the caller
    // gets the signed angle back.
    double a = Angle * 2 * double(Pi) / 360;
    if (Direction == 1)
        a = -a;
    Angle = a;

    // 3. The source: the picture as it is now.
    Picture2.copyFrom(Picture1);
    const QImage source = Picture2.Image();
    const RotationMap back = RotationMap::reverseOf(a, cx, cy);

    if (RectHWND) {
        // 4.1 Optionally erase the selection first, with the background colour.
        if (Erase != 0) {
            Picture1.FillRgn(RectHWND, Brush{BS_SOLID, m_host.state().backColour});
            // A lifted block is erased from the image under it as well.
            if (m_lifted)
                Picture3.FillRgn(RectHWND, Brush{BS_SOLID, m_host.state().backColour});
            refreshPicture();
            if (QCoreApplication::instance())
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        // 4.2-4.4 The rotated rectangle becomes the selection and the clip region.
        const QVector<QPoint> corners{RotatePoint(a, cx, cy, rectLeft, rectTop),
                                      RotatePoint(a, cx, cy, rectRight, rectTop),
                                      RotatePoint(a, cx, cy, rectRight, rectBottom),
                                      RotatePoint(a, cx, cy, rectLeft, rectBottom)};
        int minX = corners[0].x(), maxX = minX, minY = corners[0].y(), maxY = minY;
        for (const QPoint &p : corners) {
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
        RectHWND = CreatePolygonRgn(corners, WINDING);
        Picture1.SelectClipRgn(RectHWND);
        // 4.5 Every pixel of the bounding box takes its source pixel; the clip region keeps the
        // writes inside the rotated rectangle. The box (as far as it lies on the picture) is
        // rotated into a copy of itself, so pixels whose source is off the picture stay as they
        // are, and the copy goes back through the clip region in one block transfer.
        const QRect box = QRect(QPoint(minX, minY), QPoint(maxX, maxY)) & QRect(0, 0, W, H);
        if (!box.isEmpty()) {
            Surface turned(box.width(), box.height());
            BitBlt(turned, 0, 0, box.width(), box.height(), Picture1, box.left(), box.top(), SRCCOPY);
            LoopYield yield;
            qsizetype stride = 0;
            std::uint32_t *bits = turned.contiguousBits(&stride, true);
            RotateNearest(source, bits, stride, box.size(), back, QRect(QPoint(0, 0), box.size()),
                          [&yield](int) { yield(); }, box.topLeft());
            BitBlt(Picture1, box.left(), box.top(), box.width(), box.height(), turned, 0, 0, SRCCOPY);
        }
        // 4.6 The outline is the bounding box of the rotated corners.
        refreshPicture();
        ShapeRect1.Visible = true;
        ShapeRect1.Left = minX;
        ShapeRect1.Top = minY;
        ShapeRect1.Width = maxX - minX;
        ShapeRect1.Height = maxY - minY;
        rectLeft = minX;
        rectTop = minY;
        rectRight = maxX;
        rectBottom = maxY;
        if (m_view)
            m_view->ShowSelectionOutline(true, QRect(minX, minY, maxX - minX, maxY - minY));
        retakeLiftedBlock();
    } else {
        // 5.1-5.2 Every pixel of the surface takes its source pixel, and the corners that no
        // source pixel reaches take the background colour, as a fill of the whole surface
        // before the rotation would give them (without a selection there is no clip region),
        // in the same pass. Every pixel is written, so it goes into one fresh buffer of
        // Picture1's own without copying the old pixels (the source keeps them).
        qsizetype stride = 0;
        std::uint32_t *bits = Picture1.contiguousBits(&stride, false);
        LoopYield yield;
        RotateNearest(source, bits, stride, Picture1.size(), back, QRect(0, 0, W, H), [&yield](int) { yield(); },
                      QPoint(), ToPixel(m_host.state().backColour));
        // 5.3
        Picture1.markDirty(QRect(0, 0, W, H));
        refreshPicture();
    }
    // 6. One undo step.
    SnapshotAndSync(Picture1, Picture2, PicOrg, false);
}

// ---------------------------------------------------------------------------------------------
// Clear
// ---------------------------------------------------------------------------------------------

void Document::Clear()
{
    if (!m_formIzin)
        return;
    m_formIzin = false;
    const int answer = m_host.MsgBox(LoadResString(1180), Msg::YesNo | Msg::Question, LoadResString(1199));
    if (answer == Msg::Yes) {
        // Two undo steps: the picture before and the cleared picture. Clear works on the whole
        // picture, so a selection (Picture1's clip region) goes first.
        Undo(3);
        DropSelection();
        const int savedStyle = Picture1.FillStyle;
        Picture1.Line(0, 0, Picture1.ScaleWidth(), Picture1.ScaleHeight(), m_host.state().backColour, true, true);
        Picture1.FillStyle = savedStyle;
        refreshPicture();
        SnapshotAndSync(Picture1, Picture2, PicOrg, false);
    }
    m_formIzin = true;
}

// The checker pattern for transparent areas and the effects filter are menu entries without
// any behaviour of their own in this program; both leave the picture alone.
void Document::CheckerBoard() {}
void Document::CustomFilter() {}

} // namespace orv
