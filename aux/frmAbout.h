// The about window: title, version, description, freeware notice, the maker's home page as a
// link opened in the desktop's browser, OK and "System Info", which starts the system's
// information program found through the machine key store.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;

namespace orv {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    void StartSysInfo();
    static bool GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

    QLabel *lblTitle() const { return m_title; }
    QLabel *lblVersion() const { return m_version; }
    QLabel *lblDescription() const { return m_description; }
    QLabel *LblWWW() const { return m_www; }
    QPushButton *cmdOK() const { return m_ok; }
    QPushButton *cmdSysInfo() const { return m_sysInfo; }
    QColor linkColour() const;

    // Tests answer the message box, start programs and open links through these when set.
    std::function<void(const QString &text, const QString &title, int style)> msgBoxHook;
    std::function<bool(const QString &program)> startHook;
    std::function<void(const QString &url)> openUrlHook;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void setLinkColour(const QColor &c);
    void LblWWW_Click();

    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_description = nullptr;
    QLabel *m_free = nullptr;
    QLabel *m_www1 = nullptr;
    QLabel *m_www = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_sysInfo = nullptr;
};

} // namespace orv
