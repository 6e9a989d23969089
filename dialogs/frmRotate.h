// The rotate dialog: 90, 180, 270 degrees or a free angle of 0 to 360, to the right or to the
// left, optionally painting over the selection first. OK rotates the document's picture.
#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace orv {

class Document;

class FrmRotate : public QDialog {
    Q_OBJECT
public:
    explicit FrmRotate(Document &doc, QWidget *parent = nullptr);

    double Angle = 90;              // degrees
    std::int16_t Direction = 0;     // 0 right, 1 left

    QRadioButton *Option2(int index) const { return m_angle[index]; }
    QRadioButton *Option1(int index) const { return m_dir[index]; }
    QLineEdit *TextAngle() const { return m_text; }
    QCheckBox *hChkErase() const { return m_erase; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *CmdCancel() const { return m_cancel; }
    QProgressBar *Progress1() const { return m_progress; }

    void Option2_Click(int index);
    void Option1_Click(int index);
    void TextAngle_KeyUp(int keyCode);
    void cmdOK_Click();
    void CmdCancel_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();

    Document &m_doc;
    QRadioButton *m_angle[4] = {};
    QRadioButton *m_dir[2] = {};
    QGroupBox *m_angleFrame = nullptr;
    QGroupBox *m_dirFrame = nullptr;
    QLineEdit *m_text = nullptr;
    QCheckBox *m_erase = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QProgressBar *m_progress = nullptr;
};

} // namespace orv
