// Shared helpers of the settings tests: the main settings file and its copies, and the main window's load of a fresh or changed state.
#pragma once

#include "app/Settings.h"
#include "base/AppInfo.h"
#include "base/SettingsStore.h"
#include "testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace orvtest {

using namespace orv;

inline const ScreenDefaults kScreen{19200.0f, 14400.0f};

inline QString mainFile()
{
    return SettingsFilePath(AppTitle());
}

inline QStringList backupsOf(const QString &path)
{
    const QFileInfo info(path);
    return QDir(info.absolutePath()).entryList({info.fileName() + QStringLiteral(".corrupt-*")}, QDir::Files);
}

// What the main window holds on a first run, before the load changes anything.
struct Loaded {
    AppState state;
    MainWindowSettings window;
};

inline Loaded loadFresh(std::int16_t colorBoxAlign = AlignLeft)
{
    Loaded l;
    l.window.colorBoxAlign = colorBoxAlign;
    LoadMainSettings(l.state, l.window, kScreen);
    return l;
}

// Every remembered value set away from its default.
inline Loaded nonDefaultValues()
{
    Loaded l;
    AppState &s = l.state;
    s.options.NewFileWidth = 800;
    s.options.NewFileHeight = 600;
    s.options.MasterView = 0;
    s.options.OpenImageOnstartup = -1;
    s.options.PopupMenu = -1;
    s.options.ContLineClose = 0;
    s.zoomFactor = 11;
    s.foreColour = 0x123456;
    s.backColour = 0x00FF00;
    s.comboImageIndex = 5;
    s.spray = SprayRecord{7, 3, 321, 77, 12};
    s.pen.colour = 0xABCDEF;
    s.pen.style = 2;
    s.pen.widthX = 9;
    s.pen.widthY = 4;
    s.brush.colour = 0x0000FF;
    s.brush.hatch = 3;
    s.brush.style = 0;
    s.cyclic = true;
    s.mirrorCount = 2;
    MainWindowSettings &w = l.window;
    w.left = -120.5f;
    w.top = 345.0f;
    w.width = 9000.0f;
    w.height = 7200.0f;
    w.colorBoxAlign = AlignBottom;
    w.viewColorBox = false;
    w.viewToolStd = false;
    w.viewStatusBar = true;
    w.viewEdit = false;
    w.mruCaption[1] = QStringLiteral("/home/u/pictures/a.bmp");
    w.mruCaption[2] = QStringLiteral(" /tmp/with space, comma; semicolon \"quote\" back\\slash @at ");
    w.mruCaption[3] = QString::fromUtf8("/home/u/Bilder/çizim ÄÖÜ.bmp");
    w.mruVisible = {false, true, true, true, false, false, false};
    w.fileSeparatorVisible = true;
    return l;
}

inline void compareState(const AppState &a, const AppState &b)
{
    QCOMPARE(a.options, b.options);
    QCOMPARE(a.zoomFactor, b.zoomFactor);
    QCOMPARE(a.foreColour, b.foreColour);
    QCOMPARE(a.backColour, b.backColour);
    QCOMPARE(a.comboImageIndex, b.comboImageIndex);
    QCOMPARE(a.spray, b.spray);
    QCOMPARE(a.pen.style, b.pen.style);
    QCOMPARE(a.pen.widthX, b.pen.widthX);
    QCOMPARE(a.pen.widthY, b.pen.widthY);
    QCOMPARE(a.pen.colour, b.pen.colour);
    QCOMPARE(a.brush.style, b.brush.style);
    QCOMPARE(a.brush.colour, b.brush.colour);
    QCOMPARE(a.brush.hatch, b.brush.hatch);
    QCOMPARE(a.cyclic, b.cyclic);
    QCOMPARE(a.mirrorCount, b.mirrorCount);
}

} // namespace orvtest
