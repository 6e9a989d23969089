// Selection, move and clipboard: the marquee, the floating block, cut, copy and paste.
#include "document/Document.h"

namespace orv {

void Document::DropSelection()
{
    RectHWND = Region();
    ShapeRect1.Visible = false;
    Picture1.SelectClipRgn(Region());
    if (m_view)
        m_view->ShowSelectionOutline(false, QRect());
}

void Document::DeSelect()
{
    Picture1.setPicture(PicOrg.Image());
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

void Document::sub_CUT() {}
void Document::sub_COPY() {}
void Document::sub_PASTE() {}
int Document::hMOVE(int, int, float &, float &, int) { return 0; }
void Document::sub_MARQUEE(int, int, float &, float &, int) {}

} // namespace orv
