// Shared helpers of the settings tests: the main settings file and its copies, and the main window's load of a fresh or changed state.
#pragma once

#include "app/Settings.h"
#include "base/AppInfo.h"
#include "base/SettingsStore.h"
#include "testsupport.h"

namespace orvtest {

using namespace orv;

inline const ScreenDefaults kScreen{19200.0f, 14400.0f};

inline QString mainFile() { return SettingsFilePath(AppTitle()); }

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
    OptionsRecord &o = s.options;
    std::tie(o.NewFileWidth, o.NewFileHeight, o.MasterView, o.OpenImageOnstartup, o.PopupMenu, o.ContLineClose) = std::tuple{800, 600, 0, -1, -1, 0};
    std::tie(s.zoomFactor, s.foreColour, s.backColour, s.comboImageIndex) = std::tuple{11, 0x123456, 0x00FF00, 5};
    s.spray = SprayRecord{7, 3, 321, 77, 12};
    s.pen = LogPen{2, 9, 4, 0xABCDEF};
    s.brush = LogBrush{0, 0x0000FF, 3};
    std::tie(s.cyclic, s.mirrorCount) = std::tuple{true, 2};
    MainWindowSettings &w = l.window;
    std::tie(w.left, w.top, w.width, w.height, w.colorBoxAlign) = std::tuple{-120.5f, 345.0f, 9000.0f, 7200.0f, AlignBottom};
    std::tie(w.viewColorBox, w.viewToolStd, w.viewStatusBar, w.viewEdit) = std::tuple{false, false, true, false};
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
    QCOMPARE(a.spray, b.spray);
    // The other remembered values, in the order zoom, colours, combo index, pen, brush, cyclic, mirrors.
    const auto numbers = [](const AppState &s) {
        return QList<qint64>{s.zoomFactor, s.foreColour, s.backColour, s.comboImageIndex, s.pen.style, s.pen.widthX,
                             s.pen.widthY, s.pen.colour, s.brush.style, s.brush.colour, s.brush.hatch, s.cyclic, s.mirrorCount};
    };
    QCOMPARE(numbers(a), numbers(b));
}

} // namespace orvtest
