// The Options dialog: the user's view of part of the options record, the mirror count and the
// zoom factor.
//
// The check boxes edit a private copy of the options record that Apply or OK copies back whole;
// Cancel (or Esc, or closing the window) drops the copy. The mirror buttons and the zoom slider
// act on the shared state at once, so Cancel does not undo them. The dialog never writes the
// settings store: the values reach it when the main window closes.
#pragma once

#include "base/AppState.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace orv {

class OrvSlider;

class frmOptions : public QDialog {
    Q_OBJECT

public:
    // `hasActiveDocument` tells whether a document window is active: the mirror buttons change
    // the mirror count only then.
    frmOptions(AppState &state, std::function<bool()> hasActiveDocument, QWidget *parent = nullptr);

private:
    void buildControls();
    void Form_Load();

    void View_Click();
    void StartupImage_Click();
    void ToolProperties_Click();
    void ContLineClose_Click();
    void Option3_Click(int index);
    void OptionZoom_Change(int value);
    void cmdApply_Click();
    void cmdOK_Click();
    void CmdCancel_Click();

    void checkBoxClicked(QCheckBox *box, std::int16_t &field);

    AppState &m_state;
    std::function<bool()> m_hasActiveDocument;
    OptionsRecord m_copy;

    QTabWidget *SSTab1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QCheckBox *StartupImage = nullptr;
    QGroupBox *Frame1 = nullptr;
    QCheckBox *View = nullptr;
    QCheckBox *ToolProperties = nullptr;
    QGroupBox *Frame4 = nullptr;
    QCheckBox *ContLineClose = nullptr;
    QGroupBox *frmMirror = nullptr;
    QRadioButton *Option3[2] = {nullptr, nullptr};
    OrvSlider *OptionZoom = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;
};

} // namespace orv
