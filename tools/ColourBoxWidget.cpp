#include "tools/ColourBoxWidget.h"

#include "base/InputCodes.h"
#include "base/ResStringsWidget.h"

#include <QMouseEvent>

namespace orv {

namespace {

constexpr int TwipsPerPixel = 15;
constexpr int px(int twips) { return twips / TwipsPerPixel; }

} // namespace

ColourLabel::ColourLabel(QWidget *parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setColour(0);
}

void ColourLabel::setColour(Colour c)
{
    m_colour = c & 0xFFFFFF;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(RedOf(m_colour), GreenOf(m_colour), BlueOf(m_colour)));
    setPalette(pal);
    update();
}

void ColourLabel::mousePressEvent(QMouseEvent *e)
{
    emit pressed(ButtonCode(e->button()));
}

void ColourLabel::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        emit doubleClicked();
}

ColourBoxWidget::ColourBoxWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ColourBox"));
    m_title = new QLabel(QStringLiteral("Colors"), this);
    m_title->setObjectName(QStringLiteral("LblToolBox"));
    setTag(m_title, QStringLiteral("1213"));
    m_title->setGeometry(px(195), px(60), px(255 * 4), px(300));

    for (int i = 0; i < ColourCellCount; ++i) {
        const int row = i / 4;
        const int col = i % 4;
        auto *cell = new ColourLabel(this);
        cell->setObjectName(QStringLiteral("LblColor"));
        cell->setProperty("Index", i);
        cell->setGeometry(px(195 + 255 * col), px(420 + 300 * row), px(270), px(315));
        cell->setColour(DefaultCellColours[std::size_t(i)]);
        if (i == 42)
            setToolTipTag(cell, QStringLiteral("1216"));
        connect(cell, &ColourLabel::pressed, this, [this, i](int button) { emit cellPressed(i, button); });
        connect(cell, &ColourLabel::doubleClicked, this, [this, i] { emit cellDoubleClicked(i); });
        m_cells[std::size_t(i)] = cell;
    }
    m_fore = new ColourLabel(this);
    m_fore->setObjectName(QStringLiteral("LblFore"));
    m_fore->setGeometry(px(195), px(4095), px(495), px(345));
    m_fore->setColour(0x000000);
    setToolTipTag(m_fore, QStringLiteral("1214"));
    m_back = new ColourLabel(this);
    m_back->setObjectName(QStringLiteral("lblBack"));
    m_back->setGeometry(px(735), px(4095), px(495), px(345));
    m_back->setColour(0xFFFFFF);
    setToolTipTag(m_back, QStringLiteral("1215"));
    connect(m_fore, &ColourLabel::doubleClicked, this, &ColourBoxWidget::foreDoubleClicked);
    connect(m_back, &ColourLabel::doubleClicked, this, &ColourBoxWidget::backDoubleClicked);
    setMinimumSize(sizeHint());
}

QSize ColourBoxWidget::sizeHint() const
{
    return QSize(px(195 + 255 * 4 + 195), px(4095 + 345 + 120));
}

} // namespace orv
