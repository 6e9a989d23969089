#include "app/frmHelp.h"

#include "base/AppInfo.h"
#include "base/ResStrings.h"
#include "base/ToolArt.h"
#include "base/WindowPlacementWidget.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace orv {

frmHelp::frmHelp(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowIcon(ToolbarIcon(QStringLiteral("Help")));
    auto *left = new QWidget(this);
    m_search = new QLineEdit(left);
    m_search->setObjectName(QStringLiteral("txtKeyword"));
    m_search->setClearButtonEnabled(true);
    m_search->setPlaceholderText(LoadResString(1034).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    m_list = new QListWidget(left);
    m_list->setObjectName(QStringLiteral("lstKeywords"));
    auto *l = new QVBoxLayout(left);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(m_search);
    l->addWidget(m_list, 1);
    m_page = new QTextBrowser(this);
    m_page->setObjectName(QStringLiteral("txtPage"));
    m_page->setOpenLinks(true);
    m_page->setOpenExternalLinks(true);
    auto *split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(m_page);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 600});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);
    resize(860, 620);
    // It opens over the program's window rather than wherever the window system puts a new
    // window (often the screen's corner, on top of the menus), and Escape closes it as it
    // closes the program's dialogs.
    PlaceOverOwner(this, parent);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    connect(m_search, &QLineEdit::textEdited, this, &frmHelp::fillList);
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        if (m_list->count() > 0)
            showKeyword(m_list->item(0)->text());
    });
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem *i) { showKeyword(i->text()); });
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *i) { showKeyword(i->text()); });
    connect(m_page, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(AppTitle() + QStringLiteral(" - ") + m_page->documentTitle());
    });
}

bool frmHelp::open(const QString &helpFile, QString *error)
{
    if (!m_index.load(helpFile, error))
        return false;
    fillList(m_search->text());
    return true;
}

void frmHelp::fillList(const QString &filter)
{
    m_list->clear();
    for (const HelpKeyword &k : m_index.keywords())
        if (filter.isEmpty() || k.keyword.contains(filter, Qt::CaseInsensitive))
            m_list->addItem(k.keyword);
}

void frmHelp::showKeyword(const QString &keyword)
{
    const QUrl url = m_index.pageFor(keyword);
    if (url.isEmpty())
        return;
    m_page->setSource(url);
    if (url.hasFragment())
        m_page->scrollToAnchor(url.fragment());
}

void frmHelp::showContents()
{
    m_page->setSource(m_index.contents());
}

void frmHelp::showSearch(const QString &keyword)
{
    m_search->setText(keyword);
    fillList(keyword);
    if (!keyword.isEmpty() && !m_index.pageFor(keyword).isEmpty())
        showKeyword(keyword);
    else if (m_page->source().isEmpty())
        showContents();
    m_search->setFocus();
    m_search->selectAll();
}

} // namespace orv
