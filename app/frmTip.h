// The tip-of-the-day dialog: one tip from the tip file at a time, "Next tip" for another, and
// the check box that decides whether tips show when the program starts.
#pragma once

#include "app/TipBook.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace orv {

class frmTip : public QDialog {
    Q_OBJECT
public:
    // `tipFile` empty: the program's own tip file.
    explicit frmTip(QWidget *parent = nullptr, const QString &tipFile = QString());

    bool LoadTips(const QString &file);
    void DoNextTip();
    void DisplayCurrentTip();
    void cmdNextTip_Click();
    void cmdOK_Click();
    void chkLoadTipsAtStartup_Click();

    TipBook &tips() { return m_tips; }
    QLabel *lblTipText() const { return m_lblTipText; }
    QCheckBox *chkLoadTipsAtStartup() const { return m_chk; }
    QPushButton *cmdNextTip() const { return m_next; }
    QPushButton *cmdOK() const { return m_ok; }

    // "Show Tips at Startup" (section "Options") is 1.
    static bool ShowTipsAtStartup();

private:
    void Form_Load(const QString &tipFile);

    TipBook m_tips;
    QLabel *m_lblTipText = nullptr;
    QLabel *m_heading = nullptr;
    QCheckBox *m_chk = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace orv
