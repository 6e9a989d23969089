#include "app/frmSplash.h"

#include "base/AppInfo.h"
#include "base/ResStringsWidget.h"
#include "base/ToolArt.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>

namespace orv {

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x20, 0x2c, 0x3c));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap::fromImage(AppIconImage(96)));
    m_product = new QLabel(this);
    m_product->setObjectName(QStringLiteral("lblProductName"));
    QFont big = font();
    big.setPointSize(big.pointSize() + 10);
    big.setBold(true);
    m_product->setFont(big);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("lblVersion"));
    auto *tagline = new QLabel(QStringLiteral("Fast, faithful painting on your desktop"), this);
    tagline->setObjectName(QStringLiteral("lblCompanyProduct"));
    auto *rights = new QLabel(QStringLiteral("Free software for the Linux desktop"), this);
    rights->setObjectName(QStringLiteral("lblCopyright"));

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(28, 24, 28, 24);
    grid->setHorizontalSpacing(24);
    grid->addWidget(logo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(m_product, 0, 1);
    grid->addWidget(tagline, 1, 1);
    grid->addWidget(m_version, 2, 1);
    grid->addWidget(rights, 3, 1);
    setFixedSize(sizeHint().expandedTo(QSize(460, 180)));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(2000);
    connect(m_timer, &QTimer::timeout, this, &QWidget::close);
    Form_Load();
}

void frmSplash::Form_Load()
{
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_version->setText(VersionText());
    m_product->setText(AppTitle());
    bool keepFonts = true;
    LoadResStrings(this, keepFonts);
    m_timer->start();
}

} // namespace orv
