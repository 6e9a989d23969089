// The drawing-font dialog: the system's font choice (every font the machine has, with its
// styles, sizes, underline and strikethrough) and beside it the text colour, chosen from the
// sixteen basic colours or any other through the colour dialog.
#pragma once

#include "base/Colour.h"

#include <QDialog>
#include <QFont>
#include <functional>
#include <optional>

class QComboBox;
class QFontDialog;
class QPushButton;

namespace orv {

class frmFontDialog : public QDialog {
    Q_OBJECT
public:
    frmFontDialog(const QFont &initial, Colour colour, QWidget *parent = nullptr);

    QFont selectedFont() const;
    Colour selectedColour() const { return m_colour; }
    void setSelectedColour(Colour c);

    QFontDialog *fontChooser() const { return m_fonts; }
    QComboBox *ColorCombo() const { return m_colours; }
    QPushButton *OKButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

    // The colour dialog behind the list's last entry goes through this when set: it gets the
    // starting colour and returns the chosen one, or nothing for Cancel.
    std::function<std::optional<Colour>(Colour)> colorDialogHook;

private:
    void colourChosen(int index);
    int entryOf(Colour c) const;

    QFontDialog *m_fonts = nullptr;
    QComboBox *m_colours = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    Colour m_colour = 0;
    int m_lastIndex = 0;
};

} // namespace orv
