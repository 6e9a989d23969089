// The zoom view's copy on every pointer move: a move over a 4096 x 4096 image with the zoom
// view open, against the same move with it closed. The copy costs what the view shows, so the
// two stay within a factor of two.
#include "Bench.h"

#include "document/Document.h"
#include "document/DocumentHost.h"

using namespace orv;

namespace {

// A main window stand-in that only offers the zoom view's surface.
class ZoomHost : public DocumentHost {
public:
    AppState st;
    Surface zoom;
    bool zoomOpen = false;
    AppState &state() override { return st; }
    Document *activeDocument() override { return nullptr; }
    int MsgBox(const QString &, int, const QString &) override { return 0; }
    QString InputBox(const QString &, const QString &, const QString &) override { return {}; }
    void Beep() override {}
    void setStatusText(int, const QString &) override {}
    void CEOD() override {}
    void UpdateUndoRedo(bool, bool) override {}
    int ToolbarButtonValue(const QString &) override { return 0; }
    void SetToolbarButtonValue(const QString &, int) override {}
    void SetPasteEnabled(bool) override {}
    void ShowPopupMenu(Document &, QPoint, bool, bool) override {}
    void SetForeSwatch(Colour) override {}
    void SetBackSwatch(Colour) override {}
    void mnuFileSaveAs_Click() override {}
    void ShowTextDialog() override {}
    Surface *ZoomSurface() override { return zoomOpen ? &zoom : nullptr; }
    void RefreshZoom() override {}
    QPoint GetCursorPos() override { return {}; }
    void SetCursorPos(QPoint) override {}
    int TwipsPerPixelX() override { return 15; }
    int TwipsPerPixelY() override { return 15; }
    QSize ScreenPixels() override { return {1280, 800}; }
};

// Moves of one kind over a square image of side n, with the zoom view open or closed.
double moveMs(int n, bool zoomOpen, const QString &tool, int button)
{
    constexpr int Moves = 400;
    ZoomHost host;
    host.zoom.resize(200, 160);
    host.st.currentTool = tool;
    host.st.zoomWindow = zoomOpen;
    host.zoomOpen = zoomOpen;
    Document doc(host);
    doc.Form_Load();
    doc.Picture1.resize(n, n);
    doc.Picture1.Cls();
    doc.StartUp();
    doc.setFormIzin(true);
    if (button)
        doc.Picture1_MouseDown(button, 0, float(n / 2), float(n / 2));
    const double ms = orvbench::bestMs([&] {
        for (int i = 0; i < Moves; ++i) {
            // Short steps, as a pointer moves: a small circle around the middle.
            const float x = float(n / 2 + (i % 20) - 10);
            const float y = float(n / 2 + ((i / 20) % 20) - 10);
            doc.Picture1_MouseMove(button, 0, x, y);
        }
    });
    if (button)
        doc.Picture1_MouseUp(button, 0, float(n / 2), float(n / 2));
    return ms;
}

void zoomMove()
{
    // The copy costs what the view shows: the same moves over a 4096 x 4096 image and over a
    // 256 x 256 one, zoom view open.
    orvbench::report(QStringLiteral("400 moves, zoom open, 4096x4096"), moveMs(4096, true, QStringLiteral("Select"), 0),
                     QStringLiteral("same, 256x256 image"), moveMs(256, true, QStringLiteral("Select"), 0), 2.0);
    // Drawing with the pencil, zoom view open against closed.
    orvbench::report(QStringLiteral("400 pencil moves, 4096x4096, zoom open"),
                     moveMs(4096, true, QStringLiteral("Pencil"), 1), QStringLiteral("same, zoom closed"),
                     moveMs(4096, false, QStringLiteral("Pencil"), 1), 2.0);
    // Hovering: a move that draws nothing costs almost nothing without the view, so here the
    // copy of the view's 200 x 160 pixels is all there is to see.
    orvbench::report(QStringLiteral("400 hover moves, 4096x4096, zoom open"),
                     moveMs(4096, true, QStringLiteral("Select"), 0), QStringLiteral("same, zoom closed"),
                     moveMs(4096, false, QStringLiteral("Select"), 0), 2.0);
}

orvbench::Register zoomCase(QStringLiteral("aux"), QStringLiteral("zoom view copy per pointer move"), zoomMove);

} // namespace
