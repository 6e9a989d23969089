// What the file tests share: a test picture, the messages the main window shows, and the main
// window as the program starts it.
#pragma once

#include "app/frmMain.h"
#include "testsupport.h"

#include <QFile>
#include <QImage>
#include <QString>
#include <QTest>

namespace orvtest {

struct Message {
    QString text;
    int style = -1;
    QString title;
};

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

// The main window as the program starts it.
struct LoadedMain : orv::frmMain {
    LoadedMain() { MDIForm_Load(); }
};

} // namespace orvtest
