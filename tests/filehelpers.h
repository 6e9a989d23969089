// What the file tests share: a test picture, the messages the main window shows, and the main
// window as the program starts it, its menu items chosen as the user chooses them.
#pragma once

#include "app/frmMain.h"
#include "testsupport.h"

namespace orvtest {

struct Message {
    QString text;
    int style = -1;
    QString title;
    bool operator==(const Message &) const = default;
};
inline char *toString(const Message &m) { return QTest::toString(QStringLiteral("%1 (%2, %3)").arg(m.text).arg(m.style).arg(m.title)); }

// Stripes and ramps: in small sizes every pixel a colour of its own.
inline QImage testPicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            row[x] = qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, (x + y) & 0xFF);
    }
    return img;
}

// A settings folder and a scratch folder of their own, for one test function.
struct Scratch {
    PrivateSettings settings;
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

// The main window as the program starts it.
struct LoadedMain : orv::frmMain {
    LoadedMain() { MDIForm_Load(); }
    void choose(const QString &item) { menuItem(item)->trigger(); }
    // File > Open, the file dialog answered with `path`.
    void openPath(const QString &path)
    {
        openFileHook = [path](const orv::FileDialogRequest &) { return path; };
        choose(QStringLiteral("mnuFileOpen"));
    }
    // Every message box is answered with `answer`; `seen` (when given) collects them.
    void answerMessages(int answer, QList<Message> *seen = nullptr)
    {
        msgBoxHook = [answer, seen](const QString &t, int s, const QString &ti) {
            if (seen)
                *seen << Message{t, s, ti};
            return answer;
        };
    }
};

} // namespace orvtest
