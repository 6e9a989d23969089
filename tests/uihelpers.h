// What the window tests share: this program's stored settings by section and key, the main
// window as the user starts it, and a click on a toolbar button as the user gives it.
#pragma once

#include "app/frmMain.h"
#include "base/AppInfo.h"
#include "base/SettingsStore.h"
#include "filehelpers.h"
#include "testsupport.h"

namespace orvtest {

inline QString setting(const char *section, const char *key)
{
    return orv::GetSetting(orv::AppTitle(), QLatin1String(section), QLatin1String(key));
}

inline void store(const char *section, const char *key, const QString &value)
{
    orv::SaveSetting(orv::AppTitle(), QLatin1String(section), QLatin1String(key), value);
}

inline void clickButton(QToolBar *bar, QAction *button) { QTest::mouseClick(bar->widgetForAction(button), Qt::LeftButton); }

// The main window loaded and shown; a close question is answered No.
struct ShownMain : LoadedMain {
    explicit ShownMain(QSize size = {})
    {
        msgBoxHook = [](const QString &, int, const QString &) { return int(orv::Msg::No); };
        if (size.isValid())
            resize(size);
        show();
        if (!QTest::qWaitForWindowExposed(this))
            qWarning("the main window was not shown");
    }
    void tool(const char *key) { clickButton(TbEdit(), tbEditButton(QString::fromLatin1(key))); }
    void stdButton(const char *key) { clickButton(TbStd(), tbStdButton(QString::fromLatin1(key))); }
};

} // namespace orvtest
