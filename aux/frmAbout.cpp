#include "aux/frmAbout.h"

#include "base/AppInfo.h"
#include "aux/MachineRegistry.h"
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "base/ToolArt.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace orv {

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setMouseTracking(true);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(QPixmap::fromImage(AppIconImage(48)));
    icon->setAlignment(Qt::AlignTop);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    // Its own text, followed directly by the version number (no blank between them).
    m_version = new QLabel(QStringLiteral("Version"), this);
    m_version->setObjectName(QStringLiteral("lblVersion"));
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    setTag(m_description, 1130);
    m_description->setWordWrap(true);
    m_free = new QLabel(this);
    m_free->setObjectName(QStringLiteral("lblDisclaimer"));
    setTag(m_free, 1247);
    m_free->setWordWrap(true);
    m_www1 = new QLabel(this);
    m_www1->setObjectName(QStringLiteral("LblWWW1"));
    setTag(m_www1, 1246);
    m_www = new QLabel(this);
    m_www->setObjectName(QStringLiteral("LblWWW"));
    setTag(m_www, 1131);
    m_www->setCursor(Qt::PointingHandCursor);
    m_www->setMouseTracking(true);
    m_www->installEventFilter(this);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    setTag(m_ok, 1069);
    m_ok->setDefault(true);
    m_sysInfo = new QPushButton(this);
    m_sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    setTag(m_sysInfo, 1068);

    auto *texts = new QVBoxLayout;
    texts->addWidget(m_title);
    texts->addWidget(m_version);
    texts->addSpacing(8);
    texts->addWidget(m_description);
    auto *link = new QHBoxLayout;
    link->addWidget(m_www1);
    link->addWidget(m_www);
    link->addStretch(1);
    texts->addLayout(link);
    texts->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(texts, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_free, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_sysInfo);
    bottom->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    layout->addLayout(bottom);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_sysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    // Load.
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    QFont tf = m_title->font();
    tf.setBold(true);
    tf.setPointSizeF(tf.pointSizeF() * 1.6);
    m_title->setFont(tf);
    m_version->setText(m_version->text() + QStringLiteral("%1.%2.%3")
                                               .arg(VersionMajor())
                                               .arg(VersionMinor())
                                               .arg(VersionRevision()));
    m_title->setText(AppTitle());
    setWindowTitle(LoadResString(1035).remove(QLatin1Char('&')) + QLatin1Char(' ') + AppTitle());
    setLinkColour(QColor(0, 0, 255));
    setMinimumWidth(440);
}

QColor frmAbout::linkColour() const
{
    return m_www->palette().color(QPalette::WindowText);
}

void frmAbout::setLinkColour(const QColor &c)
{
    QPalette p = m_www->palette();
    p.setColor(QPalette::WindowText, c);
    m_www->setPalette(p);
    QFont f = m_www->font();
    f.setUnderline(true);
    m_www->setFont(f);
}

void frmAbout::mouseMoveEvent(QMouseEvent *e)
{
    setLinkColour(QColor(0, 0, 255));
    QDialog::mouseMoveEvent(e);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == m_www) {
        switch (e->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove: setLinkColour(QColor(0, 255, 255)); break;
        case QEvent::Leave: setLinkColour(QColor(0, 0, 255)); break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton)
                LblWWW_Click();
            break;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void frmAbout::LblWWW_Click()
{
    const QString address = LoadResString(1131);
    if (openUrlHook)
        openUrlHook(address);
    else
        QDesktopServices::openUrl(QUrl::fromUserInput(address));   // a failure shows nothing
}

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    return orv::GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::StartSysInfo()
{
    const QString program = FindSysInfoProgram();
    bool started = false;
    if (!program.isEmpty())
        started = startHook ? startHook(program) : QProcess::startDetached(program, {});
    if (started)
        return;
    const QString text = LoadResString(1248);
    const QString title = LoadResString(1249);
    if (msgBoxHook)
        msgBoxHook(text, title, 16);
    else
        QMessageBox::critical(this, title, text);
}

} // namespace orv
