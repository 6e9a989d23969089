// The new-image dialog: a preset size from the list or a custom width and height of 1 to 1024
// pixels. A valid OK stores the size in the options record (the size the next new document
// gets) and in the settings store; the cancel flag tells the caller whether to go on.
#pragma once

#include "base/AppState.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv {

class frmNewImage : public QDialog {
    Q_OBJECT
public:
    explicit frmNewImage(OptionsRecord &options, QWidget *parent = nullptr);

    // True while loaded and after Cancel; false as soon as OK is pressed.
    bool Cancelled() const { return m_cancel; }

    // Message boxes go through this when set (text, style, title), so tests can answer them.
    std::function<int(const QString &, int, const QString &)> msgBoxHook;

    QRadioButton *Option1(int index) const { return index == 0 ? m_optPreset : m_optCustom; }
    QComboBox *Combo1() const { return m_combo; }
    QGroupBox *Frame1() const { return m_frame; }
    QLineEdit *TxtWidth() const { return m_txtWidth; }
    QLineEdit *TxtHeight() const { return m_txtHeight; }
    QPushButton *Command1() const { return m_ok; }
    QPushButton *Command2() const { return m_cancelButton; }

    void Option1_Click(int index);
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    int MsgBox(const QString &text, int style, const QString &title);

    OptionsRecord &m_options;
    bool m_cancel = true;
    QRadioButton *m_optPreset = nullptr;
    QRadioButton *m_optCustom = nullptr;
    QComboBox *m_combo = nullptr;
    QGroupBox *m_frame = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QLineEdit *m_txtWidth = nullptr;
    QLineEdit *m_txtHeight = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace orv
