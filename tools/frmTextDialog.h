// The text tool's dialog: the user types the text on a live sample and picks its font, size
// and style. OK copies the sample into the shared text record and clears the dialog-pending
// flag; Cancel (or Esc, or closing the window) leaves both as they were, so the flag stays set
// and the document prints nothing.
#pragma once

#include "base/AppState.h"

#include <QDialog>
#include <QFont>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace orv {

class frmTextDialog : public QDialog {
    Q_OBJECT

public:
    // The sample shows the text in the current drawing colour on the background colour.
    explicit frmTextDialog(AppState &state, QWidget *parent = nullptr);

    // The sizes the size list offers, in list order.
    static const QStringList &Sizes();

    // --- controls, by their names ----------------------------------------------------------
    QLineEdit *Text1() const { return m_Text1; }
    QComboBox *ComboFont() const { return m_ComboFont; }
    QComboBox *ComboSize() const { return m_ComboSize; }
    QPushButton *CmdBold() const { return m_CmdBold; }
    QPushButton *CmdItalic() const { return m_CmdItalic; }
    QPushButton *CmdUnderLine() const { return m_CmdUnderLine; }
    QPushButton *CmdStrikeTr() const { return m_CmdStrikeTr; }
    QPushButton *OKButton() const { return m_OKButton; }
    QPushButton *CancelButton() const { return m_CancelButton; }
    // The sample's font (what OK stores).
    QFont sampleFont() const { return m_sample; }

private:
    void buildControls();
    void Form_Load();
    void ComboFont_Click();
    void ComboSize_Click();
    void toggle(void (QFont::*set)(bool), bool (QFont::*get)() const);
    void applySample();
    void OKButton_Click();
    void CancelButton_Click();

    AppState &m_state;
    QFont m_sample;
    Colour m_textColour = 0;
    Colour m_backColour = 0xFFFFFF;

    QLineEdit *m_Text1 = nullptr;
    QComboBox *m_ComboFont = nullptr;
    QComboBox *m_ComboSize = nullptr;
    QPushButton *m_CmdBold = nullptr;
    QPushButton *m_CmdItalic = nullptr;
    QPushButton *m_CmdUnderLine = nullptr;
    QPushButton *m_CmdStrikeTr = nullptr;
    QPushButton *m_OKButton = nullptr;
    QPushButton *m_CancelButton = nullptr;
};

} // namespace orv
