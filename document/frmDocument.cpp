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

#include <cmath>

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

// The visible surface: Picture1's back-buffer in device pixels, one picture pixel on one pixel of
// the screen whatever the device pixel ratio, and the selection outline on it.
//
// The layout places the picture in device pixels of the viewport. A widget can only stand at
// whole logical units, so the widget stands at the logical unit at or before that place and
// the picture is painted `m_offset` device pixels inside it (0 at a ratio of 1). The widget is
// as many logical units wide and high as it takes to hold the whole picture from there
// (rounded up, and one more above a ratio of 1, see place()), so nothing is cut and every
// pixel can be pointed at; the strip beyond the picture's last pixel shows the viewport's
// colour, and a press there reaches the tools as a drag beyond the edge does. Pixels are painted as whole device pixels, never scaled, so nothing blurs.
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

    // Stands the view so that the picture's pixel (0, 0) is at `devicePos`, a position in
    // device pixels of the parent.
    void place(QPoint devicePos, QSize picture)
    {
        const qreal dpr = devicePixelRatioF();
        const QPoint logical(int(std::floor(devicePos.x() / dpr)), int(std::floor(devicePos.y() / dpr)));
        m_offset = QPointF(devicePos) - QPointF(logical) * dpr;
        // Above a ratio of 1 the view is one logical unit larger: the window system rounds the
        // pointer to whole logical units before it picks the widget under it, so the last
        // device pixel's second half would otherwise land on the viewport, and a fractional
        // ratio may round the painted origin by up to half a device pixel.
        const int slack = dpr > 1 ? 1 : 0;
        const QSize size(int(std::ceil((picture.width() + m_offset.x()) / dpr)) + slack,
                         int(std::ceil((picture.height() + m_offset.y()) / dpr)) + slack);
        setGeometry(QRect(logical, size));
    }

    // The picture pixel under the pointer: the device pixel the pointer falls in, counted from
    // the picture's pixel (0, 0). Every tool's pointer position comes from here.
    QPointF pictureAt(const QMouseEvent *e) const
    {
        const qreal dpr = devicePixelRatioF();
        const QPointF pos = exactPosition(e);
        const QPointF o = origin();
        // The window system's positions are whole device pixels divided by the ratio; at a ratio
        // like 1.5 multiplying back can fall a hair short of the whole pixel, which the floor
        // must not take for the pixel before it.
        constexpr qreal hair = 1.0 / 1024;
        return QPointF(std::floor(pos.x() * dpr - o.x() + hair), std::floor(pos.y() * dpr - o.y() + hair));
    }

    // The logical area of this widget that shows the picture area `r` (picture pixels).
    QRect logicalArea(const QRect &r) const
    {
        if (r.isEmpty())
            return QRect();
        const qreal dpr = devicePixelRatioF();
        const QPointF o = origin();
        const QRectF dev(r.x() + o.x(), r.y() + o.y(), r.width(), r.height());
        return QRectF(dev.x() / dpr, dev.y() / dpr, dev.width() / dpr, dev.height() / dpr).toAlignedRect();
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        QPainter p(this);
        const qreal dpr = devicePixelRatioF();
        // Device pixels from here on: one unit is one pixel of the screen.
        p.scale(1 / dpr, 1 / dpr);
        const QPoint o = origin().toPoint();
        const QRectF lr(e->rect());
        const QRect dev = QRectF(lr.x() * dpr, lr.y() * dpr, lr.width() * dpr, lr.height() * dpr).toAlignedRect();
        const QRect shown = dev & QRect(o, m_doc.Picture1.size());
        if (!shown.isEmpty()) {
            // The picture is kept in bands of rows; they are drawn one by one.
            p.translate(o);
            m_doc.Picture1.drawArea(p, shown.translated(-o));
            p.translate(-o);
        }
        // Outside the image: the strip that rounding up leaves, and the offset before it.
        for (const QRect &out : QRegion(dev) - QRegion(shown))
            p.fillRect(out, palette().dark());
        if (outlineVisible) {
            QPen pen(Qt::black, 1, Qt::DashLine);
            pen.setCosmetic(true);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(outline.translated(o).adjusted(0, 0, -1, -1));
        }
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        setFocus(Qt::MouseFocusReason);
        const QPointF pt = pictureAt(e);
        m_doc.Picture1_MouseDown(ButtonCode(e->button()), ShiftCode(e->modifiers()), float(pt.x()), float(pt.y()));
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        const QPointF pt = pictureAt(e);
        m_doc.Picture1_MouseMove(ButtonsCode(e->buttons()), ShiftCode(e->modifiers()), float(pt.x()), float(pt.y()));
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        const QPointF pt = pictureAt(e);
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
    // The pointer's position in this widget, in logical units with their fraction. Pointer
    // events from the window system carry the widget position rounded to whole logical units
    // (at a ratio of 2 every odd device pixel would round to its neighbour); their position in
    // the window keeps the fraction, so it is taken from there wherever it agrees with the
    // rounded one. Events made inside the program carry their position in both places.
    QPointF exactPosition(const QMouseEvent *e) const
    {
        const QPointF pos = e->position();
        const QPointF fromWindow = e->scenePosition() - QPointF(mapTo(window(), QPoint(0, 0)));
        const auto pick = [](qreal rounded, qreal exact) { return std::abs(exact - rounded) < 1 ? exact : rounded; };
        return QPointF(pick(pos.x(), fromWindow.x()), pick(pos.y(), fromWindow.y()));
    }

    // Where the picture's pixel (0, 0) is painted, in device pixels of this widget: the
    // placement's offset, moved to the nearest whole pixel of the window's back-buffer.
    QPointF origin() const
    {
        const qreal dpr = devicePixelRatioF();
        const QPointF self = QPointF(mapTo(window(), QPoint(0, 0))) * dpr;
        const QPointF target = self + m_offset;
        return QPointF(std::round(target.x()), std::round(target.y())) - self;
    }

    Document &m_doc;
    QPointF m_offset;
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

// The document works in picture pixels, which are device pixels: one picture pixel shows on one
// pixel of the screen. Sizes and places of this window are turned into them here and back.
QSize frmDocument::toDevice(QSize logical) const
{
    const qreal dpr = devicePixelRatioF();
    return QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr));
}

QRect frmDocument::toLogical(const QRect &device) const
{
    const qreal dpr = devicePixelRatioF();
    const int left = int(std::floor(device.x() / dpr));
    const int top = int(std::floor(device.y() / dpr));
    const int right = int(std::ceil((device.x() + device.width()) / dpr));
    const int bottom = int(std::ceil((device.y() + device.height()) / dpr));
    return QRect(left, top, right - left, bottom - top);
}

QSize frmDocument::WindowPixels()
{
    return toDevice(m_sub ? m_sub->size() : size());
}

QSize frmDocument::ClientPixels()
{
    return toDevice(size());
}

void frmDocument::SetWindowPixels(QSize device)
{
    QSize s = toLogical(QRect(QPoint(0, 0), device)).size();
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
    const int logical = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return toDevice(QSize(logical, logical)).width();
}

int frmDocument::ScrollBarHeight()
{
    return ScrollBarWidth();
}

QPoint frmDocument::clientToLogical(QPoint device) const
{
    return toLogical(QRect(device, QSize(0, 0))).topLeft();
}

void frmDocument::ApplyLayout(const ViewportLayout &l)
{
    m_applyingLayout = true;
    m_panel->setGeometry(toLogical(QRect(QPoint(0, 0), l.panel)));
    m_picture->place(l.picture, m_doc->Picture1.size());
    m_picture->show();
    m_vscroll->setGeometry(toLogical(l.vScroll));
    m_vscroll->setMaximum(std::max(0, l.vScrollMax));
    m_vscroll->setValue(l.vScrollValue);
    m_vscroll->setVisible(l.vScrollVisible);
    m_hscroll->setGeometry(toLogical(l.hScroll));
    m_hscroll->setMaximum(std::max(0, l.hScrollMax));
    m_hscroll->setValue(l.hScrollValue);
    m_hscroll->setVisible(l.hScrollVisible);
    m_corner->setGeometry(toLogical(QRect(l.corner, QSize(l.vScroll.width(), l.hScroll.height()))));
    m_corner->setVisible(l.cornerVisible);
    m_vscroll->raise();
    m_hscroll->raise();
    m_corner->raise();
    m_applyingLayout = false;
}

void frmDocument::RepaintPicture(const QRect &area)
{
    m_picture->update(m_picture->logicalArea(area));
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
    m_picture->update(m_picture->logicalArea(old.adjusted(-1, -1, 1, 1)));
    m_picture->update(m_picture->logicalArea(rect.adjusted(-1, -1, 1, 1)));
}

void frmDocument::CloseWindow()
{
    if (m_sub)
        m_sub->close();
    else
        close();
}

bool frmDocument::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    // On a screen with another device pixel ratio the same picture takes another logical size.
    if (e->type() == QEvent::ScreenChangeInternal)
        m_doc->Form_Resize();
    return handled;
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
