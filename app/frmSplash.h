// The splash window shown over the main window for two seconds at start-up.
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace orv {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);
    QLabel *lblVersion() const { return m_version; }
    QLabel *lblProductName() const { return m_product; }
    QTimer *Timer1() const { return m_timer; }
    void Form_Load();

private:
    QLabel *m_version = nullptr;
    QLabel *m_product = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace orv
