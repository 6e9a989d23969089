// The colour box: 48 colour cells, the foreground and background swatches and the box's title,
// laid out as the design places them (twips converted to pixels at 15 twips per pixel).
#pragma once

#include "tools/Palette.h"

#include <QLabel>
#include <QWidget>
#include <array>

namespace orv {

// A label that shows one colour and reports presses and double-clicks.
class ColourLabel : public QLabel {
    Q_OBJECT
public:
    explicit ColourLabel(QWidget *parent = nullptr);
    Colour colour() const { return m_colour; }
    void setColour(Colour c);

signals:
    void pressed(int button);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    Colour m_colour = 0;
};

class ColourBoxWidget : public QWidget {
    Q_OBJECT
public:
    explicit ColourBoxWidget(QWidget *parent = nullptr);

    ColourLabel *LblColor(int index) const { return m_cells.at(std::size_t(index)); }
    ColourLabel *LblFore() const { return m_fore; }
    ColourLabel *lblBack() const { return m_back; }
    QLabel *LblToolBox() const { return m_title; }

    QSize sizeHint() const override;

signals:
    // button: 1 left, 2 right, 4 middle.
    void cellPressed(int index, int button);
    void cellDoubleClicked(int index);
    void foreDoubleClicked();
    void backDoubleClicked();

private:
    std::array<ColourLabel *, ColourCellCount> m_cells{};
    ColourLabel *m_fore = nullptr;
    ColourLabel *m_back = nullptr;
    QLabel *m_title = nullptr;
};

} // namespace orv
