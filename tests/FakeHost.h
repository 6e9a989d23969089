// A scripted stand-in for the main window and a document window: message boxes answered from a
// queue, and what the document shows or asks of them recorded.
#pragma once

#include "document/Document.h"
#include "testsupport.h"

namespace orvtest {

class FakeHost : public orv::DocumentHost {
public:
    orv::AppState st;
    orv::Document *active = nullptr;
    std::deque<int> answers;                 // next MsgBox answers (Cancel when empty)
    QStringList shownMessages, shownTitles;
    QList<int> shownStyles;
    int beeps = 0, ceodCalls = 0, saveAsCalls = 0, undoRedoUpdates = 0, popups = 0, textDialogs = 0;
    std::function<void()> onSaveAs;          // what Save As does (e.g. clear SaveReq)
    // Plays the user of the text dialog: fill st.text and clear the pending flag for OK.
    std::function<void(orv::AppState &)> onTextDialog;
    bool canUndo = false, canRedo = false, pasteEnabled = false;
    QHash<QString, int> buttons;
    QHash<int, QString> status;
    orv::Colour fore = 0, back = 0xFFFFFF;
    QPoint cursor{100, 100};

    orv::AppState &state() override { return st; }
    orv::Document *activeDocument() override { return active; }
    int MsgBox(const QString &text, int style, const QString &title) override
    {
        shownMessages << text;
        shownTitles << title;
        shownStyles << style;
        if (answers.empty())
            return int(orv::Msg::Cancel);
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    QString InputBox(const QString &, const QString &, const QString &) override { return {}; }
    void Beep() override { ++beeps; }
    void setStatusText(int panel, const QString &text) override { status[panel] = text; }
    void CEOD() override { ++ceodCalls; }
    void UpdateUndoRedo(bool u, bool r) override { canUndo = u; canRedo = r; ++undoRedoUpdates; }
    int ToolbarButtonValue(const QString &key) override { return buttons.value(key); }
    void SetToolbarButtonValue(const QString &key, int value) override { buttons[key] = value; }
    void SetPasteEnabled(bool e) override { pasteEnabled = e; }
    void ShowPopupMenu(orv::Document &, QPoint, bool, bool) override { ++popups; }
    void SetForeSwatch(orv::Colour c) override { fore = c; }
    void SetBackSwatch(orv::Colour c) override { back = c; }
    void mnuFileSaveAs_Click() override { ++saveAsCalls; if (onSaveAs) onSaveAs(); }
    // Opening the dialog sets the pending flag as the dialog's load does.
    void ShowTextDialog() override
    {
        ++textDialogs;
        st.textDialogPending = true;
        if (onTextDialog)
            onTextDialog(st);
    }
    void ZoomFollow(const orv::Document &, float, float) override {}
    QPoint GetCursorPos() override { return cursor; }
    void SetCursorPos(QPoint p) override { cursor = p; }
};

class FakeView : public orv::DocumentView {
public:
    QSize window{660, 520}, client{652, 494};
    orv::ViewportLayout applied;
    int layouts = 0;
    QRect repainted;
    QSize WindowPixels() override { return window; }
    QSize ClientPixels() override { return client; }
    void SetWindowPixels(QSize s) override { client = s - (window - client), window = s; }
    int WindowState() override { return 0; }
    void ApplyLayout(const orv::ViewportLayout &l) override { applied = l, ++layouts; }
    void RepaintPicture(const QRect &r) override { repainted |= r; }
    void SetCaption(const QString &) override {}
    void SetToolCursor(orv::ToolCursor) override {}
    void ShowSelectionOutline(bool, const QRect &) override {}
    void CloseWindow() override {}
};

// The selection outline (left, top, width, height) and its stored edges (left, top, right, bottom).
inline QRectF outlineOf(const orv::Document &doc)
{
    return QRectF(doc.ShapeRect1.Left, doc.ShapeRect1.Top, doc.ShapeRect1.Width, doc.ShapeRect1.Height);
}
inline QRect storedEdges(const orv::Document &doc)
{
    return QRect(QPoint(doc.RectRegLeft(), doc.RectRegTop()), QPoint(doc.RectRegRight(), doc.RectRegBottom()));
}

// A blank white document in a scripted main window, as a new image starts: loaded, sized, started
// up and active.
struct DocFixture {
    FakeHost host;
    FakeView view;
    orv::Document doc{host};
    explicit DocFixture(int w, int h)
    {
        doc.setView(&view);
        doc.Form_Load();
        doc.Picture1.resize(w, h);
        doc.Picture1.Cls();
        doc.StartUp();
        host.active = &doc;
    }
    orv::Colour px(int x, int y) const { return doc.Picture1.GetPixel(x, y); }
    // The first listed pixel of Picture1 that is not its colour, described; empty when all are.
    struct At { int x, y; orv::Colour colour; };
    QString pixelsOff(std::initializer_list<At> want) const
    {
        for (const At &a : want)
            if (px(a.x, a.y) != a.colour)
                return QStringLiteral("%1,%2: %3 instead of %4").arg(a.x).arg(a.y).arg(px(a.x, a.y), 0, 16).arg(a.colour, 0, 16);
        return {};
    }
    void marquee(float x0, float y0, float x1, float y1)
    {
        host.st.currentTool = QStringLiteral("Marquee");   // drawn by the pointer from (x0, y0) to (x1, y1)
        doc.Picture1_MouseDown(1, 0, x0, y0);
        doc.Picture1_MouseMove(1, 0, x1, y1);
        doc.Picture1_MouseUp(1, 0, x1, y1);
    }
    // The first pixel of Picture1 that is not want(x, y), described; empty when every one is.
    template<typename F>
    QString differs(F want) const
    {
        return firstDifference(doc.Picture1.ScaleWidth(), doc.Picture1.ScaleHeight(), [this](int x, int y) { return px(x, y); }, want);
    }
    // Every pixel from colourAt(x, y), committed as one undo step.
    template<typename F>
    void paint(F colourAt)
    {
        for (int y = 0; y < doc.Picture1.ScaleHeight(); ++y) {
            std::uint32_t *p = doc.Picture1.scanLine(y);
            for (int x = 0; x < doc.Picture1.ScaleWidth(); ++x)
                p[x] = orv::ToPixel(colourAt(x, y));
        }
        doc.Picture1.markDirty(QRect(QPoint(0, 0), doc.Picture1.size()));
        doc.Refresh();
        commit();
    }
    void commit() { doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, false); }
};

} // namespace orvtest
