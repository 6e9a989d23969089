#include "tools/frmFontDialog.h"

#include "base/ResStrings.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

// The sixteen basic colours, 0x00BBGGRR.
constexpr struct {
    const char *name;
    Colour colour;
} BasicColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000},  {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},   {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},    {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

QIcon swatch(Colour c)
{
    QPixmap pm(16, 12);
    pm.fill(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
    QPainter p(&pm);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}

} // namespace

frmFontDialog::frmFontDialog(const QFont &initial, Colour colour, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgFont"));
    setWindowTitle(LoadResString(1211));
    setModal(true);

    // The platform's own font chooser, without its buttons, inside this dialog.
    m_fonts = new QFontDialog(this);
    m_fonts->setObjectName(QStringLiteral("FontChooser"));
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setCurrentFont(initial);

    m_colours = new QComboBox(this);
    m_colours->setObjectName(QStringLiteral("ColorCombo"));
    for (const auto &c : BasicColours)
        m_colours->addItem(swatch(c.colour), QString::fromLatin1(c.name), QVariant::fromValue(qulonglong(c.colour)));
    m_colours->addItem(QStringLiteral("Other..."));
    auto *colourLabel = new QLabel(QStringLiteral("C&olor:"), this);
    colourLabel->setBuddy(m_colours);

    m_ok = new QPushButton(LoadResString(1243), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(LoadResString(1244), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *row = new QHBoxLayout;
    row->addWidget(colourLabel);
    row->addWidget(m_colours);
    row->addStretch(1);
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts, 1);
    layout->addLayout(row);

    setSelectedColour(colour);
    connect(m_colours, &QComboBox::activated, this, &frmFontDialog::colourChosen);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QFont frmFontDialog::selectedFont() const
{
    return m_fonts->currentFont();
}

int frmFontDialog::entryOf(Colour c) const
{
    for (int i = 0; i < m_colours->count(); ++i) {
        const QVariant v = m_colours->itemData(i);
        if (v.isValid() && Colour(v.toULongLong()) == c)
            return i;
    }
    return -1;
}

void frmFontDialog::setSelectedColour(Colour c)
{
    m_colour = c & 0xFFFFFF;
    int index = entryOf(m_colour);
    if (index < 0) {
        // A colour outside the basic sixteen gets an entry of its own, just before "Other...".
        index = m_colours->count() - 1;
        m_colours->insertItem(index, swatch(m_colour),
                              QStringLiteral("Custom (%1, %2, %3)").arg(RedOf(m_colour)).arg(GreenOf(m_colour)).arg(BlueOf(m_colour)),
                              QVariant::fromValue(qulonglong(m_colour)));
    }
    m_colours->setCurrentIndex(index);
    m_lastIndex = index;
}

void frmFontDialog::colourChosen(int index)
{
    const QVariant v = m_colours->itemData(index);
    if (v.isValid()) {
        m_colour = Colour(v.toULongLong());
        m_lastIndex = index;
        return;
    }
    // "Other...": the colour dialog; Cancel goes back to the colour chosen before.
    std::optional<Colour> chosen;
    if (colorDialogHook) {
        chosen = colorDialogHook(m_colour);
    } else {
        const QColor c = QColorDialog::getColor(QColor(RedOf(m_colour), GreenOf(m_colour), BlueOf(m_colour)), this);
        if (c.isValid())
            chosen = RGBColour(c.red(), c.green(), c.blue());
    }
    if (chosen)
        setSelectedColour(*chosen);
    else
        m_colours->setCurrentIndex(m_lastIndex);
}

} // namespace orv
