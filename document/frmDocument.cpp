#include "document/frmDocument.h"

#include "base/InputCodes.h"
#include "base/ToolArt.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace orv {

namespace {

// Key codes as the document's key handler knows them.
int keyCode(const QKeyEvent *e)
{
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    switch (e->key()) {
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default:
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
            return 65 + (e->key() - Qt::Key_A);
        if (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9)
            return 48 + (e->key() - Qt::Key_0);
        return 0;
    }
}

} // namespace

// The visible surface: paints Picture1's back-buffer at 1:1 and the selection outline.
class PictureView : public QWidget {
public:
    explicit PictureView(Document &doc, QWidget *parent) : QWidget(parent), m_doc(doc)
    {
        setObjectName(QStringLiteral("Picture1"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::CrossCursor);
    }

    QRect outline;
    bool outlineVisible = false;

protected:
    void paintEvent(QPaintEvent *e) override
    {
        QPainter p(this);
        const QRect r = e->rect();
        m_doc.Picture1.drawArea(p, r);
        // Outside the image (only while the widget is larger than its picture).
        const QRegion outside = QRegion(r) - QRegion(QRect(QPoint(0, 0), m_doc.Picture1.size()));
        for (const QRect &o : outside)
            p.fillRect(o, palette().dark());
        if (outlineVisible) {
            QPen pen(Qt::black, 1, Qt::DashLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(outline.adjusted(0, 0, -1, -1));
        }
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        setFocus(Qt::MouseFocusReason);
        const QPointF pt = e->position();
        m_doc.Picture1_MouseDown(ButtonCode(e->button()), ShiftCode(e->modifiers()), float(pt.x()), float(pt.y()));
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        const QPointF pt = e->position();
        m_doc.Picture1_MouseMove(ButtonsCode(e->buttons()), ShiftCode(e->modifiers()), float(pt.x()), float(pt.y()));
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        const QPointF pt = e->position();
        m_doc.Picture1_MouseUp(ButtonCode(e->button()), ShiftCode(e->modifiers()), float(pt.x()), float(pt.y()));
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        const int code = keyCode(e);
        if (code == 0) {
            QWidget::keyPressEvent(e);
            return;
        }
        m_doc.Picture1_KeyDown(code, ShiftCode(e->modifiers()));
    }

private:
    Document &m_doc;
};

frmDocument::frmDocument(DocumentHost &host, QWidget *parent)
    : QWidget(parent), m_doc(std::make_unique<Document>(host))
{
    setObjectName(QStringLiteral("frmDocument"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Panel"));
    m_panel->setAutoFillBackground(true);
    QPalette pal = m_panel->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Dark));
    m_panel->setPalette(pal);

    m_picture = new PictureView(*m_doc, m_panel);
    m_picture->hide();   // shown by the first layout
    m_hscroll = new QScrollBar(Qt::Horizontal, m_panel);
    m_hscroll->setObjectName(QStringLiteral("HScroll1"));
    m_vscroll = new QScrollBar(Qt::Vertical, m_panel);
    m_vscroll->setObjectName(QStringLiteral("VScroll1"));
    m_corner = new QWidget(m_panel);
    m_corner->setObjectName(QStringLiteral("Label1"));
    m_corner->setAutoFillBackground(true);
    for (QScrollBar *bar : {m_hscroll, m_vscroll}) {
        bar->setMinimum(0);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->hide();
    }
    m_corner->hide();

    connect(m_hscroll, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_applyingLayout)
            m_doc->HScroll1_Change(v);
    });
    connect(m_vscroll, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_applyingLayout)
            m_doc->VScroll1_Change(v);
    });

    m_doc->setView(this);
}

frmDocument::~frmDocument()
{
    m_doc->setView(nullptr);
}

QWidget *frmDocument::Picture1View() const
{
    return m_picture;
}

QSize frmDocument::WindowPixels()
{
    return m_sub ? m_sub->size() : size();
}

QSize frmDocument::ClientPixels()
{
    return size();
}

void frmDocument::SetWindowPixels(QSize s)
{
    QWidget *frame = m_sub ? static_cast<QWidget *>(m_sub.data()) : this;
    // A window never grows beyond the workspace that holds it.
    if (QWidget *area = frame->parentWidget()) {
        s.setWidth(std::min(s.width(), std::max(area->width(), 120)));
        s.setHeight(std::min(s.height(), std::max(area->height(), 80)));
    }
    frame->resize(s.expandedTo(QSize(120, 80)));
}

int frmDocument::WindowState()
{
    const QWidget *frame = m_sub ? static_cast<QWidget *>(m_sub.data()) : this;
    if (frame->isMinimized())
        return 1;
    if (frame->isMaximized())
        return 2;
    return 0;
}

int frmDocument::ScrollBarWidth()
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

int frmDocument::ScrollBarHeight()
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void frmDocument::ApplyLayout(const ViewportLayout &l)
{
    m_applyingLayout = true;
    m_panel->setGeometry(QRect(QPoint(0, 0), l.panel));
    m_picture->setGeometry(QRect(l.picture, m_doc->Picture1.size()));
    m_picture->show();
    m_vscroll->setGeometry(l.vScroll);
    m_vscroll->setMaximum(std::max(0, l.vScrollMax));
    m_vscroll->setValue(l.vScrollValue);
    m_vscroll->setVisible(l.vScrollVisible);
    m_hscroll->setGeometry(l.hScroll);
    m_hscroll->setMaximum(std::max(0, l.hScrollMax));
    m_hscroll->setValue(l.hScrollValue);
    m_hscroll->setVisible(l.hScrollVisible);
    m_corner->setGeometry(QRect(l.corner, QSize(l.vScroll.width(), l.hScroll.height())));
    m_corner->setVisible(l.cornerVisible);
    m_vscroll->raise();
    m_hscroll->raise();
    m_corner->raise();
    m_applyingLayout = false;
}

void frmDocument::RepaintPicture(const QRect &area)
{
    m_picture->update(area);
}

void frmDocument::SetCaption(const QString &caption)
{
    setWindowTitle(caption);
    if (m_sub)
        m_sub->setWindowTitle(caption);
}

void frmDocument::setCaption(const QString &caption)
{
    m_doc->Caption = caption;
    SetCaption(caption);
}

void frmDocument::SetToolCursor(ToolCursor cursor)
{
    switch (cursor) {
    case ToolCursor::Arrow: m_picture->setCursor(Qt::ArrowCursor); break;
    case ToolCursor::IBeam: m_picture->setCursor(Qt::IBeamCursor); break;
    case ToolCursor::SizeAll: m_picture->setCursor(Qt::SizeAllCursor); break;
    case ToolCursor::Cross: m_picture->setCursor(Qt::CrossCursor); break;
    case ToolCursor::Dropper: m_picture->setCursor(ToolCursorFor(QStringLiteral("Dropper"))); break;
    case ToolCursor::Eraser: m_picture->setCursor(ToolCursorFor(QStringLiteral("Eraser"))); break;
    case ToolCursor::FloodFill: m_picture->setCursor(ToolCursorFor(QStringLiteral("FloodFill"))); break;
    case ToolCursor::Spray: m_picture->setCursor(ToolCursorFor(QStringLiteral("Spray"))); break;
    case ToolCursor::Zoom: m_picture->setCursor(ToolCursorFor(QStringLiteral("Zoom"))); break;
    case ToolCursor::Pen: m_picture->setCursor(ToolCursorFor(QStringLiteral("Pen"))); break;
    case ToolCursor::Marquee: m_picture->setCursor(ToolCursorFor(QStringLiteral("Marquee"))); break;
    }
}

void frmDocument::ShowSelectionOutline(bool visible, const QRect &rect)
{
    const QRect old = m_picture->outline;
    m_picture->outlineVisible = visible;
    m_picture->outline = rect;
    m_picture->update(old.adjusted(-1, -1, 1, 1));
    m_picture->update(rect.adjusted(-1, -1, 1, 1));
}

void frmDocument::CloseWindow()
{
    if (m_sub)
        m_sub->close();
    else
        close();
}

void frmDocument::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    m_doc->Form_Resize();
}

void frmDocument::closeEvent(QCloseEvent *e)
{
    if (!m_doc->Form_Unload()) {
        e->ignore();
        return;
    }
    e->accept();
    m_doc->host().CEOD();
}

} // namespace orv
