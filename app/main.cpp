// Start-up: the main window is created and fully loaded before it is shown, then the splash
// window shows over it for two seconds.
#include "base/AppInfo.h"
#include "app/frmMain.h"
#include "app/frmRecovery.h"
#include "app/frmSplash.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>

int main(int argc, char **argv)
{
    // The web browser window's engine shares its drawing contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(orv::AppTitle());
    QApplication::setOrganizationName(QStringLiteral("Orv"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(orv::VersionMajor())
                                            .arg(orv::VersionMinor())
                                            .arg(orv::VersionRevision()));
    QApplication::setDesktopFileName(QStringLiteral("orv-image-editor"));

    auto *main = new orv::frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->state().helpFile = orv::HelpFilePath();
    main->MDIForm_Load();
    main->show();
    // Pictures a previous run left unsaved when it died are offered back; this run's unsaved
    // pictures are kept aside from now on.
    QTimer::singleShot(0, main, [main] { orv::StartRecovery(main); });

    auto *splash = new orv::frmSplash(main);
    const QRect area = main->geometry();
    splash->move(area.center() - QPoint(splash->width() / 2, splash->height() / 2));
    splash->show();
    splash->raise();
    splash->repaint();
    // The tip of the day, when wanted, once the splash window has gone.
    QTimer::singleShot(2100, main, [main] { main->ShowTipsAtStartup(); });

    // Files named on the command line (also how the desktop opens files with the editor) open
    // once the event loop runs, each as the Open command would.
    QStringList files = QApplication::arguments();
    files.removeFirst();
    if (!files.isEmpty())
        QTimer::singleShot(0, main, [main, files] { main->openFiles(files); });

    return app.exec();
}
