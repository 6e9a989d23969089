// A small web browser window: toolbar (Back, Forward, Stop, Refresh, Home, Search), the address
// box with the addresses visited, most recent first, each once, and "Working..." in the caption
// while a page loads.
#pragma once

#include <QHash>
#include <QStringList>
#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QTimer;
class QToolBar;
class QWebEngineView;

namespace orv {

class frmBrowser : public QWidget {
    Q_OBJECT
public:
    // Opens `startingAddress` when not empty ("start.html", the program's own start page, or
    // any address a user would type).
    explicit frmBrowser(const QString &startingAddress, QWidget *parent = nullptr);
    ~frmBrowser() override;

    QString StartingAddress;

    QToolBar *tbToolBar() const { return m_toolbar; }
    QAction *button(const QString &key) const { return m_buttons.value(key); }
    QComboBox *cboAddress() const { return m_cbo; }
    QWebEngineView *brwWebBrowser() const { return m_view; }
    QTimer *timTimer() const { return m_timer; }
    QStringList addresses() const;
    bool busy() const { return m_busy; }
    bool dontNavigate() const { return m_dontNavigate; }
    void setDontNavigate(bool on) { m_dontNavigate = on; }

    // The handlers, by their names.
    void cboAddress_Click();
    void tbToolBar_ButtonClick(const QString &key);
    void timTimer_Timer();
    void brwWebBrowser_NavigateComplete();
    void brwWebBrowser_DownloadComplete();

    // An address as typed: the program's own pages by file name, else what a browser makes of it.
    static QUrl resolveAddress(const QString &address);
    // The pages behind "Home" and "Search".
    static QUrl homePage();
    static QUrl searchPage();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void Form_Load();
    void navigate(const QUrl &url);
    QString locationName() const;

    QToolBar *m_toolbar = nullptr;
    QHash<QString, QAction *> m_buttons;
    QWidget *m_picAddress = nullptr;
    QLabel *m_lblAddress = nullptr;
    QComboBox *m_cbo = nullptr;
    QWebEngineView *m_view = nullptr;
    QTimer *m_timer = nullptr;
    bool m_busy = false;
    bool m_dontNavigate = false;
};

} // namespace orv
