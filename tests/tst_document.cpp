// The document window's rules: layout, start-up, closing, pointer and key input.
#include "FakeHost.h"

#include "base/AppInfo.h"
#include "base/SettingsStore.h"

using namespace orv;
using orvtest::DocFixture;
using orvtest::FakeHost;
using orvtest::FakeView;

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void layoutBarsCentringAndScroll()
    {
        const QSize panel(400, 300);
        // 12 pixels wider than the viewport: no bar; 13: one (the height in tst_hidpi's real window); the corner only with both.
        for (const auto &[size, h] : {std::pair{QSize(412, 100), false}, {QSize(413, 100), true}}) {
            const ViewportLayout l = Document::ComputeLayout(size, panel, 17, 17, {}, true);
            QCOMPARE((QList<bool>{l.vScrollVisible, l.hScrollVisible, l.cornerVisible}), (QList<bool>{false, h, false}));
        }
        ViewportLayout l = Document::ComputeLayout(QSize(1000, 1000), panel, 17, 17, {}, true);
        QVERIFY(l.vScrollVisible && l.hScrollVisible && l.cornerVisible);
        QCOMPARE(l.corner, QPoint(400 - 17, 300 - 17));
        QCOMPARE(l.vScroll, QRect(383, 0, 17, 283));
        QCOMPARE(l.hScroll, QRect(0, 283, 383, 17));
        // Both bars hidden: the image is centred.
        QCOMPARE(Document::ComputeLayout(QSize(200, 100), panel, 17, 17, {}, true).picture, QPoint(100, 100));
        // Large: centred less the bar; maxima and values in tens (61.7, 51.7; 31.7, 26.7).
        l = Document::ComputeLayout(QSize(1000, 800), panel, 17, 17, {}, true);
        QCOMPARE(l.picture, QPoint((400 - 1000) / 2 - 17, (300 - 800) / 2 - 17));
        QCOMPARE((QList<int>{l.hScrollMax, l.vScrollMax, l.hScrollValue, l.vScrollValue}), (QList<int>{62, 52, 32, 27}));
        FakeHost host;   // the scroll bars move the picture; a closed gate ignores resizes
        FakeView view;
        view.client = panel;
        Document doc(host);
        doc.setView(&view);
        doc.Picture1.resize(1000, 800);
        doc.setFormIzin(true);
        doc.Form_Resize();
        doc.HScroll1_Change(5);
        doc.VScroll1_Change(12);
        QCOMPARE(view.applied.picture, QPoint(-50, -120));
        const int before = view.layouts;
        doc.setFormIzin(false);
        doc.Form_Resize();
        QCOMPARE(view.layouts, before);
    }

    void startUpSizesWindowAndSyncs()
    {
        orvtest::PrivateSettings settings;
        FakeHost host;
        host.st.backColour = RGBColour(10, 20, 30);
        FakeView view;
        view.window = QSize(300, 200);
        view.client = QSize(292, 174);
        Document doc(host);
        doc.setView(&view);
        doc.Form_Load();
        QVERIFY(doc.FormIzin());
        QCOMPARE(host.ceodCalls, 1);
        doc.Picture1.resize(320, 200);
        doc.Picture1.Cls();
        doc.Picture1.SetPixel(5, 6, RGBColour(255, 0, 0));
        doc.StartUp();
        QCOMPARE(view.window, QSize(8 + 320, 26 + 200));   // the client area holds the image: the frame (8 wide, 26 high here) comes on top
        QCOMPARE(QPoint(doc.current.centreX, doc.current.centreY), QPoint(160, 100));
        QCOMPARE(doc.PicOrg.Image(), doc.Picture1.Image());   // the copies hold the picture as it was started, on the background colour
        QCOMPARE(doc.Picture2.Image(), doc.Picture1.Image());
        QCOMPARE(doc.PicOrg.GetPixel(5, 6), RGBColour(255, 0, 0));
        QCOMPARE(doc.Picture1.GetPixel(0, 0), RGBColour(10, 20, 30));
        QCOMPARE(host.st.transparentColour, RGBColour(10, 20, 30));
        QVERIFY(view.layouts >= 1);
        host.st.mirrorCount = 2;   // activation shows the document's mirror state on the toolbar
        doc.setMirrorEnabled(true);
        doc.Form_Activate();
        QCOMPARE(host.buttons.value(QStringLiteral("Mirror")), 1);
        QCOMPARE(doc.MirrorCount(), 2);
        doc.setMirrorEnabled(false);
        doc.Form_Activate();
        QCOMPARE(host.buttons.value(QStringLiteral("Mirror")), 0);
    }

    void closeQuestion()
    {
        orvtest::PrivateSettings settings;
        FakeHost host;
        Document doc(host);
        doc.Caption = QStringLiteral("Image1");
        doc.Picture1.resize(4, 4);
        QVERIFY(doc.Form_Unload());   // unchanged: no question
        QVERIFY(host.shownMessages.isEmpty());
        doc.setSaveReq(true);   // changed and untitled: Cancel keeps it; Yes goes to Save As; No discards
        QVERIFY(!doc.Form_Unload());
        QCOMPARE(host.shownMessages.last(), QStringLiteral("Save to this file ?"));
        QCOMPARE(host.shownTitles.last(), QStringLiteral("Image1"));
        QCOMPARE(host.shownStyles.last(), Msg::YesNoCancel | Msg::Question);
        host.answers = {Msg::Yes};
        host.onSaveAs = [&] { doc.setSaveReq(false); };
        QVERIFY(doc.Form_Unload());
        QCOMPARE(host.saveAsCalls, 1);
        doc.setSaveReq(true);   // a Save As that did not save keeps the window open
        host.answers = {Msg::Yes};
        host.onSaveAs = {};
        QVERIFY(!doc.Form_Unload());
        QCOMPARE(host.saveAsCalls, 2);
        host.answers = {Msg::No};
        QVERIFY(doc.Form_Unload());
        doc.setMirrorEnabled(true);   // the mirror flag of the document closed last is what the store holds
        doc.setSaveReq(false);
        QVERIFY(doc.Form_Unload());
        QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Mirror")), QStringLiteral("True"));

        doc.Picture1.resize(3, 2);   // a registered file is saved under its name, as a bitmap whatever the name says
        doc.Picture1.Cls();
        doc.Picture1.SetPixel(0, 0, RGBColour(0, 0, 255));
        doc.Caption = settings.path() + QStringLiteral("/picture.png");
        doc.Tag = QStringLiteral("Register");
        doc.setSaveReq(true);
        host.answers = {Msg::Yes};
        QVERIFY(doc.Form_Unload());
        const QByteArray bytes = orvtest::readFile(doc.Caption);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QImage back;
        QVERIFY(back.loadFromData(bytes, "BMP"));
        QCOMPARE(back.size(), QSize(3, 2));
        QCOMPARE(back.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
        // A save that cannot be written keeps the window open and the changes flagged.
        doc.Caption = settings.path() + QStringLiteral("/no/such/folder/picture.bmp");
        doc.setSaveReq(true);
        host.answers = {Msg::Yes, Msg::OK};
        QVERIFY(!doc.Form_Unload());
        QVERIFY(doc.SaveReq());
    }

    void valueStack()
    {
        ValueStackStore s;
        QVERIFY(!s.ValueStack(1, 7).isValid());
        for (int i = 1; i <= 5; ++i)
            s.ValueStack(i * 10, 0);
        QCOMPARE(s.top(), 5);
        QVERIFY(!s.ValueStack(60, 0).isValid());   // no room for a sixth
        QCOMPARE(s.ValueStack({}, 1).toInt(), 50);
        QCOMPARE(s.ValueStack({}, 1).toInt(), 40);
        QCOMPARE(s.top(), 3);
    }

    void pointerAndKeys()
    {
        DocFixture f(64, 48);
        const Colour fore = RGBColour(200, 0, 0), back = RGBColour(0, 0, 200);
        f.host.st.foreColour = fore;
        f.host.st.backColour = back;
        f.host.st.currentTool = QStringLiteral("Line");
        f.doc.setSaveReq(false);
        f.host.st.options.PopupMenu = -1;   // with the right-button menu on, a right press opens it and starts no stroke
        f.host.st.drawColour = RGBColour(1, 1, 1);
        f.doc.Picture1_MouseDown(2, 0, 10, 10);
        QCOMPARE(f.host.popups, 1);
        QVERIFY(!f.doc.SaveReq());
        QCOMPARE(f.host.st.drawColour, RGBColour(1, 1, 1));
        QVERIFY(f.doc.FormIzin());
        f.host.st.options.PopupMenu = 0;
        // The stroke colour follows the button of the press or move; a move without one keeps it.
        const auto colours = [&f] { return std::pair(f.host.st.drawColour, f.doc.Picture1.ForeColor); };
        f.doc.Picture1_MouseDown(1, 0, 5, 5);
        QCOMPARE(colours(), std::pair(fore, fore));
        QVERIFY(f.doc.SaveReq() && f.doc.FormIzin());
        f.doc.Picture1_MouseMove(2, 0, 6, 6);
        QCOMPARE(f.host.st.drawColour, back);
        f.doc.Picture1_MouseMove(0, 0, 7, 7);
        QCOMPARE(f.host.st.drawColour, back);
        f.doc.Picture1_MouseDown(1, 0, 5, 5);
        f.doc.Picture1_MouseDown(2, 0, 5, 5);
        QCOMPARE(f.host.st.drawColour, back);
        QCOMPARE(f.host.popups, 1);
        f.doc.setFormIzin(false);   // a closed gate ignores presses and moves
        f.host.status.clear();
        f.doc.Picture1_MouseDown(1, 0, 5, 5);
        f.doc.Picture1_MouseMove(1, 0, 9, 9);
        QCOMPARE(f.host.st.drawColour, back);
        QVERIFY(f.host.status.isEmpty());
        DocFixture k(64, 48);
        k.doc.Picture1_MouseMove(0, 0, 3, 7);
        QCOMPARE(k.host.status.value(2), QStringLiteral("X : 3  Y : 7"));
        k.doc.Picture1_KeyDown(37, 0);
        k.doc.Picture1_KeyDown(38, 1);
        QCOMPARE(k.host.cursor, QPoint(99, 99));
        k.doc.Picture1_KeyDown(39, 0);
        k.doc.Picture1_KeyDown(40, 0);
        QCOMPARE(k.host.cursor, QPoint(100, 100));
        // Numeric plus (107), minus (109): 4 -> 6; 16 stays (20 is not below 20); 2 stays.
        for (const auto &[from, key, to] : {std::tuple{4, 107, 6}, {16, 107, 16}, {2, 109, 2}, {10, 109, 8}, {5, 109, 4}}) {
            k.host.st.zoomFactor = std::int16_t(from);
            k.doc.Picture1_KeyDown(key, 0);
            QCOMPARE(k.host.st.zoomFactor, std::int16_t(to));
        }
    }

    void drawingStartBuildsPenAndBrush()
    {
        DocFixture f(64, 48);
        const Colour c = RGBColour(9, 8, 7);
        f.host.st.foreColour = c;
        f.host.st.pen.widthX = 5;
        f.host.st.pen.style = 3;
        f.host.st.brush.style = BS_SOLID;
        f.host.buttons[QStringLiteral("Transparent")] = 1;
        f.host.st.currentTool = QStringLiteral("Rectangle");
        f.doc.Picture1_MouseDown(1, 0, 3.4f, 7.6f);
        QCOMPARE(std::pair(f.host.st.brush.style, f.host.st.pen.style), std::pair(int(BS_HOLLOW), int(PS_SOLID)));
        QCOMPARE(std::pair(f.host.st.pen.colour, f.host.st.brush.colour), std::pair(c, c));
        QCOMPARE(std::pair(f.doc.Picture1.selectedPen().width, f.doc.Picture1.selectedPen().colour), std::pair(5, c));
        QVERIFY(f.doc.Picture1.selectedBrush().hollow());
        QCOMPARE(f.doc.dragStart(), QPointF(double(3.4f), double(7.6f)));
    }

    void previewRestoreCopiesOnlyWhatChanged()
    {
        DocFixture f(200, 100);
        f.doc.Picture1.SetPixel(150, 80, RGBColour(0, 255, 0));
        f.commit();
        QVERIFY(f.doc.previewDirty().isEmpty());
        f.host.st.currentTool = QStringLiteral("Line");
        f.doc.Picture1_MouseDown(1, 0, 5, 5);
        f.doc.Picture1.SetPixel(20, 30, RGBColour(255, 0, 0));   // a preview pixel is gone at the next move; the rest is as it was
        f.doc.Picture1.Refresh();
        QCOMPARE(f.doc.previewDirty(), QRect(20, 30, 1, 1));
        f.doc.Picture1_MouseMove(0, 0, 6, 6);
        QCOMPARE(f.doc.Picture1.GetPixel(150, 80), RGBColour(0, 255, 0));
        QVERIFY(f.doc.Picture1.Image() == f.doc.Picture2.Image());
        QVERIFY(f.view.repainted.contains(QPoint(20, 30)));
    }

};

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
