#include "aux/frmZoom.h"

#include "base/AppInfo.h"
#include "base/ResStringsWidget.h"
#include "base/SettingsStore.h"
#include "aux/ZoomRules.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "base/ToolArt.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace orv {

namespace {
const QString kSection = QStringLiteral("frmZoom");
constexpr int kInnerWidth = 200;
constexpr int kInnerHeight = 160;
constexpr int kMinInnerWidth = 60;
constexpr int kMinInnerHeight = 40;
} // namespace

frmZoom::frmZoom(DocumentHost &host, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_host(host)
{
    setObjectName(QStringLiteral("frmZoom"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const auto &[key, text, tip] : {std::tuple{"Plus", "+", 1112}, std::tuple{"Minus", "\u2212", 1113}}) {
        QAction *a = m_toolbar->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromLatin1(key));
        setToolTipTag(a, tip);
        const QString k = QString::fromLatin1(key);
        connect(a, &QAction::triggered, this, [this, k] { Toolbar1_ButtonClick(k); });
        m_buttons.insert(k, a);
    }
    layout->addWidget(m_toolbar);
    m_inner = new QWidget(this);
    m_inner->setObjectName(QStringLiteral("ZoomArea"));
    // The inner area opens at 200 x 160 and follows the window when the user resizes it; the
    // magnified copy always fills the whole inner area.
    m_inner->setMinimumSize(kInnerWidth, kInnerHeight);
    m_inner->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_inner->setAttribute(Qt::WA_OpaquePaintEvent);
    m_inner->installEventFilter(this);
    layout->addWidget(m_inner);
    m_surface.resize(kInnerWidth, kInnerHeight);
    m_surface.Cls();
    setWindowIcon(ToolbarIcon(QStringLiteral("Zoom")));
    Form_Load(mainWindow);
    m_inner->setMinimumSize(kMinInnerWidth, kMinInnerHeight);
}

frmZoom::~frmZoom() = default;

void frmZoom::Form_Load(QWidget *mainWindow)
{
    // 1. Above the others, never activated: the window flags and WA_ShowWithoutActivating.
    adjustSize();
    const int tx = std::max(1, m_host.TwipsPerPixelX());
    const int ty = std::max(1, m_host.TwipsPerPixelY());
    // 2. The saved position, in twips.
    SettingsStore store(AppTitle());
    std::int32_t top = 100;
    store.readLong(kSection, QStringLiteral("Top"), 100, top);
    const int innerWidth = mainWindow ? mainWindow->width() : 0;
    std::int32_t left = (innerWidth - frameGeometry().width()) * tx;
    store.readLong(kSection, QStringLiteral("Left"), left, left);
    // 3. Kept on the screen.
    const QPoint p = ClampZoomPosition(QPoint(left / tx, top / ty), frameGeometry().size(), m_host.ScreenPixels());
    move(p);
    // 4. Texts.
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    // 6. Caption.
    setCaption();
}

QRect frmZoom::Shape1() const
{
    return QRect(m_inner->width() / 2, m_inner->height() / 2, 5, 5);
}

void frmZoom::setCaption()
{
    setWindowTitle(ZoomCaption(m_host.state().zoomFactor));
}

void frmZoom::Toolbar1_ButtonClick(const QString &key)
{
    std::int16_t &f = m_host.state().zoomFactor;
    if (key == QLatin1String("Plus"))
        f = ZoomIn(f);
    else if (key == QLatin1String("Minus"))
        f = ZoomOut(f);
    setCaption();
}

void frmZoom::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_host.state().zoomWindow = false;
    const QPoint p = pos();
    SettingsStore store(AppTitle());
    store.setNumber(kSection, QStringLiteral("Top"), std::int64_t(p.y()) * m_host.TwipsPerPixelY());
    store.setNumber(kSection, QStringLiteral("Left"), std::int64_t(p.x()) * m_host.TwipsPerPixelX());
    m_host.SetToolbarButtonValue(QStringLiteral("Zoom"), 0);
}

void frmZoom::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (!m_framed) {
        m_framed = true;
        move(ClampZoomPosition(pos(), frameGeometry().size(), m_host.ScreenPixels()));
    }
}

void frmZoom::closeEvent(QCloseEvent *e)
{
    Form_Unload();
    e->accept();
    deleteLater();
}

void frmZoom::follow(const Document &doc, QObject *owner, QPointF at)
{
    m_source = &doc;
    m_sourceOwner = owner;
    m_at = at;
    m_inner->update();
}

void frmZoom::copyFollowed()
{
    if (m_source && m_sourceOwner)
        m_source->PaintZoom(m_surface, float(m_at.x()), float(m_at.y()));
}

bool frmZoom::eventFilter(QObject *watched, QEvent *e)
{
    // The magnified copy is made in device pixels, so a zoom factor of f shows each picture
    // pixel as f x f pixels of the screen, as the document shows it as one.
    const qreal dpr = m_inner->devicePixelRatioF();
    if (watched == m_inner && e->type() == QEvent::Resize) {
        const QSize size(qRound(m_inner->width() * dpr), qRound(m_inner->height() * dpr));
        if (size != m_surface.size()) {
            m_surface.resize(size.width(), size.height());
            m_surface.Cls();
        }
    }
    if (watched == m_inner && e->type() == QEvent::Paint) {
        copyFollowed();
        QPainter p(m_inner);
        QImage shown = m_surface.Image();
        shown.setDevicePixelRatio(dpr);
        p.drawImage(0, 0, shown);
        // The centre marker: a 5 x 5 outline.
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        p.drawRect(Shape1().adjusted(0, 0, -1, -1));
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace orv
