// The canvas-size dialog: the surface takes a new width and height without scaling; the caller
// fills the boxes with the current size. Enter in either box presses OK.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class Document;

class frmCanvas : public QDialog {
    Q_OBJECT
public:
    explicit frmCanvas(Document &doc, QWidget *parent = nullptr);

    QLineEdit *TextW() const { return m_textW; }
    QLineEdit *TextH() const { return m_textH; }
    QPushButton *OKButton() const { return m_ok; }
    QPushButton *CancelButton() const { return m_cancel; }

    void OKButton_Click();
    void CancelButton_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Document &m_doc;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLineEdit *m_textW = nullptr;
    QLineEdit *m_textH = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace orv
