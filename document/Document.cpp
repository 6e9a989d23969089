#include "document/Document.h"

#include "app/AppInfo.h"
#include "app/Conversions.h"
#include "app/ImageFiles.h"
#include "app/ResStrings.h"
#include "app/SettingsStore.h"

#include <algorithm>

namespace orv {

Document::Document(DocumentHost &host) : m_host(host) {}

// ---------------------------------------------------------------------------------------------
// Window life
// ---------------------------------------------------------------------------------------------

void Document::Form_Load()
{
    AppState &st = m_host.state();
    brushHandle = CreateBrushIndirect(st.brush);
    Picture1.SelectObject(brushHandle);
    penHandle = ExtCreatePen(st.pen.style, st.pen.widthX, st.brush);
    Picture1.SelectObject(penHandle);
    Picture1.BackColor = st.backColour;
    m_host.CEOD();
    m_formIzin = true;
}

void Document::StartUp()
{
    // Mirror centre: the middle of the image.
    current.centreX = std::int16_t(Picture1.ScaleWidth() / 2);
    current.centreY = std::int16_t(Picture1.ScaleHeight() / 2);

    // The window takes the image's size: its width is the image width, and its height the
    // frame plus the image height.
    if (m_view) {
        const QSize outer = m_view->WindowPixels();
        const QSize client = m_view->ClientPixels();
        const int frameH = std::max(0, outer.height() - client.height());
        m_view->SetWindowPixels(QSize(Picture1.ScaleWidth(), frameH + Picture1.ScaleHeight()));
    }

    PicOrg.resize(Picture1.ScaleWidth(), Picture1.ScaleHeight());
    Picture2.resize(Picture1.ScaleWidth(), Picture1.ScaleHeight());
    Picture2.Visible = false;
    PicOrg.setPicture(Picture1.Image());
    PicOrg.Refresh();

    UpdateUndoRedoUI();
    SnapshotAndSync(Picture1, Picture2, PicOrg, true);

    m_host.state().transparentColour = m_host.state().backColour;
    sub_RESIZE();
}

void Document::Form_Activate()
{
    PicOrg.setPicture(Picture1.Image());
    UpdateUndoRedoUI();
    m_host.SetToolbarButtonValue(QStringLiteral("Mirror"), MirrorEnabled() ? 1 : 0);
    setMirrorCount(m_host.state().mirrorCount);
}

void Document::Form_Resize()
{
    if (!m_formIzin)
        return;
    m_formIzin = false;
    sub_RESIZE();
    m_formIzin = true;
}

ViewportLayout Document::ComputeLayout(QSize image, QSize panel, int vScrollWidth, int hScrollHeight,
                                       const ViewportLayout &previous, bool first)
{
    ViewportLayout l = previous;
    const int W = image.width();
    const int H = image.height();
    const int pw = panel.width();
    const int ph = panel.height();
    l.panel = panel;

    l.vScrollVisible = H - 12 > ph;
    l.vScroll.setRect(pw - vScrollWidth, 0, vScrollWidth, l.vScroll.height());
    int hsWidth;
    if (l.vScrollVisible) {
        l.picture.setX(CInt((pw - W) / 2.0 - vScrollWidth));
        hsWidth = pw - vScrollWidth;
        l.hScrollMax = ToInt16((W - pw + vScrollWidth) / 10.0).value_or(0);
    } else {
        l.picture.setX(CInt((pw - W) / 2.0));
        hsWidth = pw;
        l.hScrollMax = ToInt16((W - pw) / 10.0).value_or(0);
    }

    l.hScrollVisible = W - 12 > pw;
    l.hScroll.setRect(0, ph - hScrollHeight, hsWidth, hScrollHeight);
    int vsHeight;
    if (l.hScrollVisible) {
        l.picture.setY(CInt((ph - H) / 2.0 - hScrollHeight));
        vsHeight = ph - hScrollHeight;
        l.vScrollMax = ToInt16((H - ph + hScrollHeight) / 10.0).value_or(0);
    } else {
        l.picture.setY(CInt((ph - H) / 2.0));
        vsHeight = ph;
        l.vScrollMax = ToInt16((H - ph) / 10.0).value_or(0);
    }
    l.vScroll.setHeight(vsHeight);

    if (first) {
        l.vScrollValue = CInt(-l.picture.y() / 10.0);
        l.hScrollValue = CInt(-l.picture.x() / 10.0);
    } else {
        // Later layouts keep the scroll bars in step with where the image now stands.
        l.vScrollValue = std::clamp(CInt(-l.picture.y() / 10.0), 0, std::max(0, l.vScrollMax));
        l.hScrollValue = std::clamp(CInt(-l.picture.x() / 10.0), 0, std::max(0, l.hScrollMax));
    }

    l.cornerVisible = l.vScrollVisible && l.hScrollVisible;
    l.corner = QPoint(l.vScroll.x(), l.hScroll.y());
    return l;
}

void Document::sub_RESIZE()
{
    if (!m_view)
        return;
    const QSize panel = m_view->ClientPixels();
    m_layout = ComputeLayout(Picture1.size(), panel, m_view->ScrollBarWidth(), m_view->ScrollBarHeight(),
                             m_layout, m_firstLayout);
    m_firstLayout = false;
    m_view->ApplyLayout(m_layout);
}

void Document::HScroll1_Change(int value)
{
    m_layout.hScrollValue = value;
    m_layout.picture.setX(std::int16_t(-10 * value));
    if (m_view)
        m_view->ApplyLayout(m_layout);
}

void Document::VScroll1_Change(int value)
{
    m_layout.vScrollValue = value;
    m_layout.picture.setY(std::int16_t(-10 * value));
    if (m_view)
        m_view->ApplyLayout(m_layout);
}

bool Document::Form_Unload()
{
    SaveSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Mirror"),
                MirrorEnabled() ? QStringLiteral("True") : QStringLiteral("False"));
    if (m_saveReq) {
        const int answer = m_host.MsgBox(LoadResString(1196), Msg::YesNoCancel | Msg::Question, Caption);
        if (answer == Msg::Cancel)
            return false;
        if (answer == Msg::Yes) {
            if (Tag == QLatin1String("Register")) {
                QString error;
                if (!SavePicture(Picture1.Image(), Caption, &error)) {
                    m_host.MsgBox(error.isEmpty() ? LoadResString(1174) : error, Msg::Critical, LoadResString(1174));
                    return false;   // the picture stays open rather than being lost
                }
                m_saveReq = false;
            } else {
                m_host.mnuFileSaveAs_Click();
                // A cancelled or failed Save As keeps the window, so the picture is not lost.
                if (m_saveReq)
                    return false;
            }
        }
    }
    penHandle = Pen{};
    brushHandle = Brush{};
    return true;
}

// ---------------------------------------------------------------------------------------------
// Commit and history
// ---------------------------------------------------------------------------------------------

void Document::SnapshotAndSync(Surface &source, Surface &copyA, Surface &copyB, bool skip)
{
    if (!skip)
        Undo(3);
    copyB.copyFrom(source);
    copyA.copyFrom(source);
}

void Document::Undo(std::int16_t /*Action*/)
{
    m_formIzin = true;
    UpdateUndoRedoUI();
}

void Document::UpdateUndoRedoUI()
{
    if (!m_formIzin)
        return;
    m_formIzin = false;
    m_host.UpdateUndoRedo(m_canUndo, m_canRedo);
    m_formIzin = true;
}

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

void Document::Refresh()
{
    Picture1.markDirty(QRect(QPoint(0, 0), Picture1.size()));
    refreshPicture();
}

void Document::refreshPicture()
{
    const QRect area = Picture1.takeDirty();
    if (m_view && !area.isEmpty())
        m_view->RepaintPicture(area);
}

// ---------------------------------------------------------------------------------------------
// Editing operations filled in by the editing, selection and transform code
// ---------------------------------------------------------------------------------------------

void Document::sub_CUT() {}
void Document::sub_COPY() {}
void Document::sub_PASTE() {}
void Document::sub_FlipHorizontal() {}
void Document::sub_FlipVertical() {}
void Document::sub_ROTATE(double &, std::int16_t &, std::int16_t &) {}
void Document::CheckerBoard() {}
void Document::Clear() {}
void Document::CustomFilter() {}
int Document::hMOVE(int, int, float &, float &, int) { return 0; }
void Document::sub_MARQUEE(int, int, float &, float &, int) {}

void Document::Çizim_Başlangıcı_İşlemleri(float X, float Y, bool &KeepPrevious)
{
    if (!m_formIzin)
        return;
    Picture2.resize(Picture1.ScaleWidth(), Picture1.ScaleHeight());
    if (!KeepPrevious)
        BitBlt(Picture2, 0, 0, Picture1.ScaleWidth(), Picture1.ScaleHeight(), Picture1, 0, 0, SRCCOPY);
    m_saveReq = true;
    current.points[0].startX = X;
    current.points[0].startY = Y;
    previous = current;
}

void Document::Picture1_MouseDown(int, int, float, float) {}
void Document::Picture1_MouseMove(int, int, float, float) {}
void Document::Picture1_MouseUp(int, int, float, float) {}
void Document::Picture1_KeyDown(int, int) {}

} // namespace orv
