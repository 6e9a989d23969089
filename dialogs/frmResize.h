// The resize dialog: a new pixel size typed into the boxes, or a percentage of the starting size
// chosen with the slider (50 to 200 %). OK scales the whole picture of the document.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace orv {

class Document;
class OrvSlider;

class frmResize : public QDialog {
    Q_OBJECT
public:
    explicit frmResize(Document &doc, QWidget *parent = nullptr);

    QRadioButton *Option1(int index) const { return m_option[index == 0 ? 0 : 1]; }
    QLineEdit *TextW() const { return m_textW; }
    QLineEdit *TextH() const { return m_textH; }
    OrvSlider *Option2() const { return m_slider; }
    QProgressBar *Progress1() const { return m_progress; }
    QPushButton *OKButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }
    int startWidth() const { return m_startW; }
    int startHeight() const { return m_startH; }
    // Rows the last per-pixel scaling reported to the progress bar, and how often it let the
    // window repaint.
    int progressRows() const { return m_rows; }

    void Option1_Click();
    void Option2_Change(int value);
    void OKButton_Click();
    void CancelButton_Click();

private:
    void Form_Load();

    Document &m_doc;
    int m_startW = 0;
    int m_startH = 0;
    int m_rows = 0;
    QRadioButton *m_option[2] = {nullptr, nullptr};
    QGroupBox *m_frame = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_textW = nullptr;
    QLineEdit *m_textH = nullptr;
    OrvSlider *m_slider = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace orv
