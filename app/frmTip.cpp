#include "app/frmTip.h"

#include "base/AppInfo.h"
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "base/SettingsStore.h"
#include "base/ToolArt.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace orv {

namespace {
const QString kOptions = QStringLiteral("Options");
const QString kShowTips = QStringLiteral("Show Tips at Startup");
// A tip longer than this is shown cut, so that a file with one enormous line stays usable.
constexpr int kMaxShown = 4000;
} // namespace

frmTip::frmTip(QWidget *parent, const QString &tipFile) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTip"));
    setTag(this, 1163);
    setWindowTitle(QStringLiteral("Tip of the Day"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgTip"));
    picture->setPixmap(QPixmap::fromImage(ToolbarImage(QStringLiteral("Help"), 32)));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblHeading"));
    setTag(m_heading, 1160);
    QFont f = m_heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);

    m_lblTipText = new QLabel(this);
    m_lblTipText->setObjectName(QStringLiteral("lblTipText"));
    m_lblTipText->setWordWrap(true);
    m_lblTipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_lblTipText->setTextFormat(Qt::PlainText);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_lblTipText);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMinimumSize(340, 120);

    m_chk = new QCheckBox(this);
    m_chk->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    setTag(m_chk, 1179);
    m_next = new QPushButton(this);
    m_next->setObjectName(QStringLiteral("cmdNextTip"));
    setTag(m_next, 1178);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    setTag(m_ok, 1243);
    m_ok->setDefault(true);

    auto *text = new QVBoxLayout;
    text->addWidget(m_heading);
    text->addWidget(scroll, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_chk);
    buttons->addStretch(1);
    buttons->addWidget(m_next);
    buttons->addWidget(m_ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(m_next, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    connect(m_ok, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    Form_Load(tipFile);
    // After the texts: the window's font went on every control, the heading stands out.
    m_heading->setFont(f);
    connect(m_chk, &QCheckBox::clicked, this, &frmTip::chkLoadTipsAtStartup_Click);
}

void frmTip::Form_Load(const QString &tipFile)
{
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    m_chk->setChecked(ShowTipsAtStartup());
    if (!LoadTips(tipFile.isEmpty() ? TipFilePath() : tipFile))
        m_lblTipText->clear();
}

bool frmTip::ShowTipsAtStartup()
{
    return GetSetting(AppTitle(), kOptions, kShowTips, QStringLiteral("1")).trimmed() == QLatin1String("1");
}

bool frmTip::LoadTips(const QString &file)
{
    if (!m_tips.LoadTips(file))
        return false;
    DisplayCurrentTip();
    return true;
}

void frmTip::DoNextTip()
{
    m_tips.DoNextTip();
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (!m_tips.hasTip())
        return;
    const QString tip = m_tips.currentText();
    m_lblTipText->setText(tip.size() > kMaxShown ? tip.left(kMaxShown) + QChar(0x2026) : tip);
}

void frmTip::cmdNextTip_Click()
{
    DoNextTip();
}

void frmTip::cmdOK_Click()
{
    accept();
}

void frmTip::chkLoadTipsAtStartup_Click()
{
    SaveSetting(AppTitle(), kOptions, kShowTips, m_chk->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace orv
