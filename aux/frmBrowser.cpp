#include "aux/frmBrowser.h"

#include "aux/BrowserEngine.h"
#include "base/DataFiles.h"
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "aux/AddressHistory.h"
#include "base/ToolArt.h"
#include "base/WindowPlacementWidget.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

namespace orv {

namespace {
const QString kWorking = QStringLiteral("Working...");
} // namespace

frmBrowser::frmBrowser(const QString &startingAddress, QWidget *parent)
    : QWidget(parent, Qt::Window), StartingAddress(startingAddress)
{
    setObjectName(QStringLiteral("frmBrowser"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ToolbarIcon(QStringLiteral("Web")));
    resize(800, 600);
    PlaceOverOwner(this, parent);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolbar->setIconSize(QSize(20, 20));
    const struct {
        const char *key;
        int tip;
        QStyle::StandardPixmap icon;
    } buttons[] = {
        {"Back", 1074, QStyle::SP_ArrowBack},           {"Forward", 1075, QStyle::SP_ArrowForward},
        {"Stop", 1076, QStyle::SP_BrowserStop},         {"Refresh", 1077, QStyle::SP_BrowserReload},
        {"Home", 1078, QStyle::SP_DirHomeIcon},         {"Search", 1079, QStyle::SP_FileDialogContentsView},
    };
    for (const auto &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *a = m_toolbar->addAction(style()->standardIcon(b.icon), QString());
        a->setObjectName(key);
        setToolTipTag(a, b.tip);
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
        m_buttons.insert(key, a);
    }

    m_picAddress = new QWidget(this);
    m_picAddress->setObjectName(QStringLiteral("picAddress"));
    m_lblAddress = new QLabel(m_picAddress);
    m_lblAddress->setObjectName(QStringLiteral("lblAddress"));
    setTag(m_lblAddress, 1080);
    m_cbo = new QComboBox(m_picAddress);
    m_cbo->setObjectName(QStringLiteral("cboAddress"));
    m_cbo->setEditable(true);
    m_cbo->setInsertPolicy(QComboBox::NoInsert);
    m_cbo->setMaxVisibleItems(20);
    m_lblAddress->setBuddy(m_cbo);
    auto *strip = new QVBoxLayout(m_picAddress);
    strip->setContentsMargins(3, 2, 3, 2);
    strip->setSpacing(1);
    strip->addWidget(m_lblAddress);
    strip->addWidget(m_cbo);

    // The engine starts with the first view: its sandbox is settled before that.
    PrepareBrowserEngine();
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("brwWebBrowser"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_picAddress);
    layout->addWidget(m_view, 1);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("timTimer"));
    m_timer->setInterval(5);
    connect(m_timer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);

    connect(m_view, &QWebEngineView::loadStarted, this, [this] { m_busy = true; });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool) {
        m_busy = false;
        brwWebBrowser_DownloadComplete();
        brwWebBrowser_NavigateComplete();
    });
    connect(m_view, &QWebEngineView::titleChanged, this, [this] {
        if (!m_busy)
            setWindowTitle(locationName());
    });
    // An entry chosen from the list; Enter typed in the box is caught before the box takes it
    // (the box adds nothing to its list, and says nothing for an address it does not hold).
    connect(m_cbo, &QComboBox::activated, this, [this] { cboAddress_Click(); });
    m_cbo->installEventFilter(this);
    m_cbo->lineEdit()->installEventFilter(this);

    Form_Load();
}

frmBrowser::~frmBrowser() = default;

void frmBrowser::Form_Load()
{
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    if (!StartingAddress.isEmpty()) {
        // The list holds addresses as the page reports them, so the start page's file name is
        // entered as the address it stands for.
        const QUrl url = resolveAddress(StartingAddress);
        const QString shown = url.isValid() ? url.toString() : StartingAddress;
        m_dontNavigate = true;
        m_cbo->addItem(shown);
        m_cbo->setEditText(shown);
        m_dontNavigate = false;
        m_timer->start();
        navigate(url);
    }
}

QUrl frmBrowser::resolveAddress(const QString &address)
{
    const QString a = address.trimmed();
    if (a.isEmpty())
        return {};
    // One of the pages the program ships beside itself, named by its file name.
    if (!a.contains(QLatin1Char('/')) && !a.contains(QLatin1Char(':'))) {
        const QString shipped = DataFilePath(a);
        if (QFileInfo(shipped).isFile())
            return QUrl::fromLocalFile(shipped);
    }
    if (QFileInfo(a).isAbsolute() && QFileInfo::exists(a))
        return QUrl::fromLocalFile(a);
    return QUrl::fromUserInput(a);
}

QUrl frmBrowser::homePage()
{
    return resolveAddress(LoadResString(1151));
}

QUrl frmBrowser::searchPage()
{
    return QUrl(QStringLiteral("https://duckduckgo.com/"));
}

void frmBrowser::navigate(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return;
    m_busy = true;   // until the view reports the load finished
    m_view->load(url);
}

QStringList frmBrowser::addresses() const
{
    QStringList out;
    for (int i = 0; i < m_cbo->count(); ++i)
        out << m_cbo->itemText(i);
    return out;
}

QString frmBrowser::locationName() const
{
    const QString title = m_view->title();
    return title.isEmpty() ? m_view->url().toDisplayString() : title;
}

bool frmBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_cbo || watched == m_cbo->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cboAddress_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmBrowser::resizeEvent(QResizeEvent *e)
{
    // The layout sizes the address box and the page to the window.
    QWidget::resizeEvent(e);
}

void frmBrowser::timTimer_Timer()
{
    if (m_busy) {
        setWindowTitle(kWorking);
    } else {
        m_timer->stop();
        setWindowTitle(locationName());
    }
}

void frmBrowser::brwWebBrowser_DownloadComplete()
{
    setWindowTitle(locationName());
}

void frmBrowser::brwWebBrowser_NavigateComplete()
{
    setWindowTitle(locationName());
    const QString address = m_view->url().toString();
    if (address.isEmpty())
        return;
    QStringList list = addresses();
    RecordVisitedAddress(list, address);
    m_dontNavigate = true;
    m_cbo->clear();
    m_cbo->addItems(list);
    m_cbo->setCurrentIndex(0);
    m_dontNavigate = false;
}

void frmBrowser::cboAddress_Click()
{
    if (m_dontNavigate)
        return;
    m_timer->start();
    navigate(resolveAddress(m_cbo->currentText()));
}

void frmBrowser::tbToolBar_ButtonClick(const QString &key)
{
    m_timer->start();
    if (key == QLatin1String("Back")) {
        m_view->back();
    } else if (key == QLatin1String("Forward")) {
        m_view->forward();
    } else if (key == QLatin1String("Refresh")) {
        m_view->reload();
    } else if (key == QLatin1String("Home")) {
        navigate(homePage());
    } else if (key == QLatin1String("Search")) {
        navigate(searchPage());
    } else if (key == QLatin1String("Stop")) {
        m_timer->stop();
        m_view->stop();
        m_busy = false;
        setWindowTitle(locationName());
    }
}

} // namespace orv
