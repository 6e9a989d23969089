#include "tools/frmTextDialog.h"

#include "base/Conversions.h"
#include "base/ResStringsWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

namespace {

QColor toQColor(Colour c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

} // namespace

const QStringList &frmTextDialog::Sizes()
{
    static const QStringList sizes{
        QStringLiteral("4"),  QStringLiteral("6"),  QStringLiteral("8"),  QStringLiteral("10"), QStringLiteral("12"),
        QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"), QStringLiteral("22"),
        QStringLiteral("24"), QStringLiteral("26"), QStringLiteral("28"), QStringLiteral("30"), QStringLiteral("36"),
        QStringLiteral("48"), QStringLiteral("72")};
    return sizes;
}

frmTextDialog::frmTextDialog(AppState &state, QWidget *parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmTextDialog"));
    setModal(true);
    buildControls();
    Form_Load();
}

void frmTextDialog::buildControls()
{
    setWindowTitle(QStringLiteral("Insert Text"));
    setTag(this, QStringLiteral("1206"));

    m_Text1 = named(new QLineEdit(this), "Text1");
    m_Text1->setMinimumSize(360, 90);
    m_Text1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_ComboFont = named(new QComboBox(this), "ComboFont");
    m_ComboFont->setMinimumContentsLength(18);
    m_ComboFont->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_ComboSize = named(new QComboBox(this), "ComboSize");
    m_ComboSize->addItems(Sizes());

    // The style buttons show their letter in their own style.
    auto styleButton = [this](const char *name, const char *text, void (QFont::*set)(bool)) {
        auto *b = named(new QPushButton(QLatin1String(text), this), name);
        QFont f = b->font();
        (f.*set)(true);
        b->setFont(f);
        b->setFixedWidth(32);
        return b;
    };
    m_CmdBold = styleButton("CmdBold", "B", &QFont::setBold);
    m_CmdItalic = styleButton("CmdItalic", "I", &QFont::setItalic);
    m_CmdUnderLine = styleButton("CmdUnderLine", "U", &QFont::setUnderline);
    m_CmdStrikeTr = styleButton("CmdStrikeTr", "S", &QFont::setStrikeOut);

    m_OKButton = named(new QPushButton(QStringLiteral("&OK"), this), "OKButton", "1243");
    m_OKButton->setDefault(true);
    m_CancelButton = named(new QPushButton(QStringLiteral("&Cancel"), this), "CancelButton", "1244");

    auto *tools = new QHBoxLayout;
    tools->addWidget(m_ComboFont, 1);
    tools->addWidget(m_ComboSize);
    tools->addSpacing(8);
    for (QPushButton *b : {m_CmdBold, m_CmdItalic, m_CmdUnderLine, m_CmdStrikeTr})
        tools->addWidget(b);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_OKButton);
    buttons->addWidget(m_CancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_Text1, 1);
    layout->addLayout(buttons);

    connect(m_ComboFont, &QComboBox::currentIndexChanged, this, [this] { ComboFont_Click(); });
    connect(m_ComboSize, &QComboBox::currentIndexChanged, this, [this] { ComboSize_Click(); });
    connect(m_CmdBold, &QPushButton::clicked, this, [this] { toggle(&QFont::setBold, &QFont::bold); });
    connect(m_CmdItalic, &QPushButton::clicked, this, [this] { toggle(&QFont::setItalic, &QFont::italic); });
    connect(m_CmdUnderLine, &QPushButton::clicked, this, [this] { toggle(&QFont::setUnderline, &QFont::underline); });
    connect(m_CmdStrikeTr, &QPushButton::clicked, this, [this] { toggle(&QFont::setStrikeOut, &QFont::strikeOut); });
    connect(m_OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(m_CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
}

void frmTextDialog::Form_Load()
{
    // The sample shows its own font, so the texts go on without touching fonts.
    bool keepFonts = true;
    LoadResStrings(this, keepFonts);

    m_sample = m_Text1->font();
    // Every screen font in the order the system lists them. The list opens on the font of the
    // last text put on an image while the machine still has it, else on the desktop's own font
    // (the first of the list only when neither is listed); then size "10" is selected. Each
    // selection runs its handler.
    const QStringList families = QFontDatabase::families();
    m_ComboFont->addItems(families);
    int start = families.indexOf(m_state.text.fontName);
    if (start < 0)
        start = families.indexOf(QFontInfo(QApplication::font()).family());
    if (start < 0)
        start = families.indexOf(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
    m_ComboFont->setCurrentIndex(std::max(0, int(start)));
    m_ComboSize->setCurrentIndex(3);

    // The sample then starts at (index + 1) x 2 = 8 points, whatever the list shows.
    if (m_ComboFont->currentIndex() >= 0)
        m_sample.setFamily(m_ComboFont->currentText());
    m_sample.setPointSize((m_ComboSize->currentIndex() + 1) * 2);
    m_backColour = m_state.backColour;
    m_textColour = m_state.drawColour;
    applySample();

    m_state.textDialogPending = true;
}

void frmTextDialog::ComboFont_Click()
{
    if (m_ComboFont->currentIndex() < 0)
        return;
    m_sample.setFamily(m_ComboFont->currentText());
    applySample();
}

void frmTextDialog::ComboSize_Click()
{
    // "4" and "6" leave the sample as it is.
    if (m_ComboSize->currentIndex() <= 1)
        return;
    m_sample.setPointSize(m_ComboSize->currentText().toInt());
    applySample();
}

void frmTextDialog::toggle(void (QFont::*set)(bool), bool (QFont::*get)() const)
{
    (m_sample.*set)(!(m_sample.*get)());
    applySample();
}

void frmTextDialog::applySample()
{
    m_Text1->setFont(m_sample);
    QPalette pal = m_Text1->palette();
    pal.setColor(QPalette::Base, toQColor(m_backColour));
    pal.setColor(QPalette::Text, toQColor(m_textColour));
    m_Text1->setPalette(pal);
}

void frmTextDialog::OKButton_Click()
{
    TextRecord &t = m_state.text;
    t.fontName = m_sample.family();
    t.fontSize = ToInt16(CInt(m_sample.pointSizeF())).value_or(t.fontSize);
    t.italic = m_sample.italic();
    t.strikethrough = m_sample.strikeOut();
    t.colour = m_textColour;
    t.underline = m_sample.underline();
    t.bold = m_sample.bold();
    t.text = m_Text1->text();
    m_state.textDialogPending = false;
    accept();
}

void frmTextDialog::CancelButton_Click()
{
    reject();
}

} // namespace orv
