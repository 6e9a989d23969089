// Selection, move and clipboard: the marquee, the floating block, cut, copy and paste.
#include "document/Document.h"

#include "base/AppInfo.h"
#include "base/Conversions.h"
#include "base/PictureLoader.h"
#include "base/ResStrings.h"
#include "document/Clipboard.h"

#include <cstdlib>

#include <algorithm>

namespace orv {

namespace {

// The outline (ShapeRect1) as the view draws it.
void showOutline(Document &doc)
{
    if (!doc.view())
        return;
    const auto &s = doc.ShapeRect1;
    doc.view()->ShowSelectionOutline(s.Visible, QRect(CInt(s.Left), CInt(s.Top), CInt(s.Width), CInt(s.Height)));
}

} // namespace

void Document::DropSelection()
{
    RectHWND = Region();
    m_lifted = false;
    ShapeRect1.Visible = false;
    Picture1.SelectClipRgn(Region());
    if (m_view)
        m_view->ShowSelectionOutline(false, QRect());
}

void Document::DeSelect()
{
    Picture1.copyFrom(PicOrg);
    Picture1.markDirty(QRect(QPoint(0, 0), Picture1.size()));
    refreshPicture();
}

// The right-button menu over the image: Move is offered inside a selection with the marquee,
// OK inside a selection while moving.
void Document::ShowRightButtonMenu(float X, float Y)
{
    const bool inside = RectHWND && PtInRegion(RectHWND, CIntPixel(X), CIntPixel(Y));
    const QString &tool = m_host.state().currentTool;
    const QPoint at(CIntPixel(X) + m_layout.picture.x(), CIntPixel(Y) + m_layout.picture.y());
    m_host.ShowPopupMenu(*this, at, inside && tool == QLatin1String("Marquee"), inside && tool == QLatin1String("Move"));
}

// ---------------------------------------------------------------------------------------------
// Marquee
// ---------------------------------------------------------------------------------------------

void Document::sub_MARQUEE(int Button, int /*Shift*/, float &X, float &Y, int Action)
{
    // The point is held to the surface (and the caller sees the held point): a press outside
    // the image starts the outline on its edge, so the selection never reaches past the image.
    const auto holdToSurface = [this, &X, &Y] {
        X = std::clamp(X, 0.0f, float(Picture1.ScaleWidth()));
        Y = std::clamp(Y, 0.0f, float(Picture1.ScaleHeight()));
    };
    switch (Action) {
    case 1:
        // The outline starts collapsed at the press. An earlier selection keeps clipping until
        // a release replaces it.
        holdToSurface();
        Picture1.DrawWidth = 1;
        rectLeft = rectRight = CIntPixel(X);
        rectTop = rectBottom = CIntPixel(Y);
        ShapeRect1.Left = rectLeft;
        ShapeRect1.Width = 0;
        ShapeRect1.Top = rectTop;
        ShapeRect1.Height = 0;
        ShapeRect1.Visible = true;
        m_lifted = false;
        showOutline(*this);
        break;
    case 2: {
        if (Button != 1)
            return;
        holdToSurface();
        rectRight = CIntPixel(X);
        rectBottom = CIntPixel(Y);
        ShapeRect1.Left = std::min(rectLeft, rectRight);
        ShapeRect1.Top = std::min(rectTop, rectBottom);
        ShapeRect1.Width = std::abs(rectRight - rectLeft);
        ShapeRect1.Height = std::abs(rectBottom - rectTop);
        showOutline(*this);
        break;
    }
    case 3:
        if (Button != 1)
            return;
        // Only a rectangle with both a width and a height becomes the selection.
        if (rectRight != rectLeft && rectBottom != rectTop) {
            if (rectLeft > rectRight)
                std::swap(rectLeft, rectRight);
            if (rectTop > rectBottom)
                std::swap(rectTop, rectBottom);
            RectHWND = CreateRectRgn(rectLeft, rectTop, rectRight, rectBottom);
            Picture1.SelectClipRgn(RectHWND);
        }
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Move
// ---------------------------------------------------------------------------------------------

int Document::hMOVE(int Button, int Shift, float &X, float &Y, int Action)
{
    AppState &st = m_host.state();
    switch (Action) {
    case 1: {
        if (Button != 1 || !RectHWND)
            return 0;
        m_grab = PtInRegion(RectHWND, CIntPixel(X), CIntPixel(Y)) ? -1 : 0;
        if (!m_grab)
            return 0;
        const int w = std::abs(rectRight - rectLeft);
        const int h = std::abs(rectBottom - rectTop);
        m_moveSource = BlitRect{0, 0, w, h};
        m_moveStart = BlitRect{rectLeft, rectTop, rectRight, rectBottom};
        PictureMove.resize(w + 2, h + 2);
        if (!m_lifted) {
            // The first press on this selection lifts the block. The margin the masked copy
            // takes with it (one column and one row past the block) holds the transparent
            // colour, so exactly the block is dragged.
            PictureMove.SelectClipRgn(Region());
            PictureMove.BackColor = st.transparentColour;
            PictureMove.Cls();
            BitBlt(PictureMove, 0, 0, w, h, Picture1, rectLeft, rectTop, SRCCOPY);
            if (Shift == 0) {
                // The hole takes the background colour; with a shift key a copy is dragged.
                st.brush.style = BS_SOLID;
                st.brush.colour = st.backColour;
                Picture1.ForeColor = st.backColour;
                const Brush hole = CreateBrushIndirect(st.brush);
                Picture1.SelectObject(hole);
                Picture1.FillRgn(RectHWND, hole);
                Picture1.ForeColor = st.drawColour;
            }
            // The image under the block.
            Picture3.copyFrom(Picture1);
            m_lifted = true;
        }
        // The preview restore shows the image without the block.
        Picture2.resize(Picture1.ScaleWidth(), Picture1.ScaleHeight());
        BitBlt(Picture2, 0, 0, Picture1.ScaleWidth(), Picture1.ScaleHeight(), Picture3, 0, 0, SRCCOPY);
        markPreviewBaseChanged();
        MaskedBlit(Picture1, Picture1, PictureMove, m_moveSource, rectLeft, rectTop, st.transparentColour,
                   &m_blitScratch);
        refreshPicture();
        return 1;
    }
    case 2: {
        if (Button != 1 || !RectHWND || !m_grab)
            return 0;
        ShapeRect1.Left = m_moveStart.left + double(X) - m_dragStart.x();
        ShapeRect1.Top = m_moveStart.top + double(Y) - m_dragStart.y();
        const int oldLeft = rectLeft;
        const int oldTop = rectTop;
        const int w = std::abs(rectRight - rectLeft);
        const int h = std::abs(rectBottom - rectTop);
        rectLeft = CInt(ShapeRect1.Left);
        rectRight = rectLeft + w;
        rectTop = CInt(ShapeRect1.Top);
        rectBottom = rectTop + h;
        OffsetRgn(RectHWND, rectLeft - oldLeft, rectTop - oldTop);
        Picture1.SelectClipRgn(RectHWND);
        MaskedBlit(Picture1, Picture1, PictureMove, m_moveSource, rectLeft, rectTop, st.transparentColour,
                   &m_blitScratch);
        ShapeRect1.Visible = true;
        showOutline(*this);
        return 1;
    }
    case 3:
        if (Button == 1) {
            // The block stays selected and can be dragged again.
            Picture1.SelectClipRgn(RectHWND);
            st.currentTool = QStringLiteral("Marquee");
        } else if (Button == 2 && RectHWND) {
            CommitMovedBlock();
        }
        return 1;
    default:
        return 0;
    }
}

// The block is left where it is: one undo step, and the selection goes.
void Document::CommitMovedBlock()
{
    if (!RectHWND)
        return;
    m_host.state().currentTool = QStringLiteral("Marquee");
    m_host.Beep();
    SnapshotAndSync(Picture1, Picture2, PicOrg, false);
    DropSelection();
    refreshPicture();
}

void Document::retakeLiftedBlock()
{
    if (!m_lifted || !RectHWND)
        return;
    const Colour key = m_host.state().transparentColour;
    const int w = std::abs(rectRight - rectLeft);
    const int h = std::abs(rectBottom - rectTop);
    // The block: what the selection shows, the transparent colour around its outline.
    PictureMove.SelectClipRgn(Region());
    PictureMove.BackColor = key;
    PictureMove.resize(w + 2, h + 2);
    PictureMove.Cls();
    Region inBlock = RectHWND;
    OffsetRgn(inBlock, -rectLeft, -rectTop);
    PictureMove.SelectClipRgn(inBlock);
    BitBlt(PictureMove, 0, 0, w, h, Picture1, rectLeft, rectTop, SRCCOPY);
    PictureMove.SelectClipRgn(Region());
    // The image under it: what shows outside the selection, and inside it what the block covers.
    Surface under;
    under.copyFrom(Picture3);
    Picture3.copyFrom(Picture1);
    Picture3.SelectClipRgn(RectHWND);
    BitBlt(Picture3, 0, 0, Picture3.ScaleWidth(), Picture3.ScaleHeight(), under, 0, 0, SRCCOPY);
    Picture3.SelectClipRgn(Region());
}

// ---------------------------------------------------------------------------------------------
// Clipboard
// ---------------------------------------------------------------------------------------------

// The selected block into PictureMove at (0, 0), on a margin of the background colour (a block
// dragged partly off the image shows that colour there); returns the block's size.
QSize Document::copySelectionToPictureMove()
{
    const int w = std::abs(rectRight - rectLeft);
    const int h = std::abs(rectBottom - rectTop);
    PictureMove.resize(w + 2, h + 2);
    PictureMove.SelectClipRgn(Region());
    PictureMove.BackColor = m_host.state().backColour;
    PictureMove.Cls();
    BitBlt(PictureMove, 0, 0, w, h, Picture1, rectLeft, rectTop, SRCCOPY);
    return QSize(w, h);
}

void Document::sub_COPY()
{
    AppState &st = m_host.state();
    ClearClipboard();
    if (RectHWND) {
        const QSize block = copySelectionToPictureMove();
        refreshPicture();
        // The clipboard gets the block itself, not the scratch surface's margin.
        PutPictureOnClipboard(PictureMove.Image().copy(QRect(QPoint(0, 0), block)));
        Picture1.ForeColor = st.drawColour;
    } else {
        PutPictureOnClipboard(Picture1.Image());
    }
    m_host.SetPasteEnabled(true);
}

void Document::sub_CUT()
{
    AppState &st = m_host.state();
    ClearClipboard();
    if (RectHWND) {
        const QSize block = copySelectionToPictureMove();
        // The selection is left in the background colour; the brush record and the brush of
        // the surface are what they were afterwards.
        const LogBrush saved = st.brush;
        const Brush previous = Picture1.selectedBrush();
        st.brush.style = BS_SOLID;
        st.brush.colour = st.backColour;
        const Brush hole = CreateBrushIndirect(st.brush);
        Picture1.SelectObject(hole);
        Picture1.FillRgn(RectHWND, hole);
        Picture1.SelectObject(previous);
        st.brush = saved;
        // A lifted block that is cut is gone: the next drag lifts what the selection now shows.
        m_lifted = false;
        refreshPicture();
        ClearClipboard();
        PutPictureOnClipboard(PictureMove.Image().copy(QRect(QPoint(0, 0), block)));
        Picture1.ForeColor = st.drawColour;
    } else {
        PutPictureOnClipboard(Picture1.Image());
    }
    m_host.SetPasteEnabled(true);
}

void Document::sub_PASTE()
{
    AppState &st = m_host.state();
    // Nothing to paste (an empty clipboard, or text only): nothing happens.
    const QImage picture = PictureFromClipboard();
    if (picture.isNull())
        return;
    if (picture.width() > MaxPictureSide || picture.height() > MaxPictureSide) {
        m_host.MsgBox(QStringLiteral("%1 x %2: 1 - %3").arg(LoadResString(1135), LoadResString(1136)).arg(MaxPictureSide),
                      Msg::Critical, LoadResString(1174));
        return;
    }
    PictureMove.setPicture(picture);
    const int pw = PictureMove.ScaleWidth();
    const int ph = PictureMove.ScaleHeight();
    if (Picture1.ScaleWidth() < pw || Picture1.ScaleHeight() < ph) {
        const int answer = m_host.MsgBox(LoadResString(1236), Msg::YesNoCancel | Msg::Question, AppTitle());
        if (answer == Msg::Cancel)
            return;
        if (answer == Msg::Yes) {
            // Only the sides that are too small grow; the new area shows the surface's own
            // background colour, the one it took when the document was made.
            if (Picture1.ScaleWidth() < pw)
                Picture1.setWidth(pw);
            if (Picture1.ScaleHeight() < ph)
                Picture1.setHeight(ph);
            sub_RESIZE();
        }
    }
    // The pasted picture lands at the top-left; its pixels of the background colour are left out.
    // A selection would clip it (the selection is Picture1's clip region), so it goes first.
    DropSelection();
    MaskedBlit(Picture1, Picture1, PictureMove, BlitRect{0, 0, pw, ph}, 0, 0, st.backColour);
    refreshPicture();
    SnapshotAndSync(Picture1, Picture2, PicOrg, false);
}

} // namespace orv
