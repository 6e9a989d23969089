// The document window's rules: the viewport layout, start-up sizing, activation and the close
// question.
#include "FakeHost.h"
#include "testsupport.h"

#include "app/AppInfo.h"
#include "app/SettingsStore.h"

#include <QFile>
#include <QTest>

using namespace orv;
using orvtest::FakeHost;
using orvtest::FakeView;

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void scrollBarThresholds();
    void centringAndScrollValues();
    void startUpSizesWindowAndSyncs();
    void activationFollowsMirror();
    void closeQuestion();
    void closeSavesRegisteredFile();
    void valueStack();
};

void TestDocument::scrollBarThresholds()
{
    const QSize panel(400, 300);
    // 12 pixels taller than the viewport: no vertical bar; 13: one.
    ViewportLayout l = Document::ComputeLayout(QSize(100, 312), panel, 17, 17, {}, true);
    QVERIFY(!l.vScrollVisible);
    l = Document::ComputeLayout(QSize(100, 313), panel, 17, 17, {}, true);
    QVERIFY(l.vScrollVisible);
    QVERIFY(!l.hScrollVisible);
    l = Document::ComputeLayout(QSize(412, 100), panel, 17, 17, {}, true);
    QVERIFY(!l.hScrollVisible);
    l = Document::ComputeLayout(QSize(413, 100), panel, 17, 17, {}, true);
    QVERIFY(l.hScrollVisible);
    QVERIFY(!l.cornerVisible);
    l = Document::ComputeLayout(QSize(1000, 1000), panel, 17, 17, {}, true);
    QVERIFY(l.vScrollVisible && l.hScrollVisible && l.cornerVisible);
    QCOMPARE(l.corner, QPoint(400 - 17, 300 - 17));
    QCOMPARE(l.vScroll, QRect(383, 0, 17, 283));
    QCOMPARE(l.hScroll, QRect(0, 283, 383, 17));
}

void TestDocument::centringAndScrollValues()
{
    const QSize panel(400, 300);
    // Both bars hidden: the image is centred.
    ViewportLayout l = Document::ComputeLayout(QSize(200, 100), panel, 17, 17, {}, true);
    QCOMPARE(l.picture, QPoint(100, 100));
    // A large image: centred less the bar, maxima in tens of pixels, first values from the position.
    l = Document::ComputeLayout(QSize(1000, 800), panel, 17, 17, {}, true);
    QCOMPARE(l.picture.x(), (400 - 1000) / 2 - 17);
    QCOMPARE(l.picture.y(), (300 - 800) / 2 - 17);
    QCOMPARE(l.hScrollMax, 62);   // (1000 - 400 + 17) / 10 = 61.7
    QCOMPARE(l.vScrollMax, 52);   // (800 - 300 + 17) / 10 = 51.7
    QCOMPARE(l.hScrollValue, 32); // 317 / 10 = 31.7
    QCOMPARE(l.vScrollValue, 27); // 267 / 10 = 26.7

    FakeHost host;
    FakeView view;
    view.client = panel;
    Document doc(host);
    doc.setView(&view);
    doc.Picture1.resize(1000, 800);
    doc.setFormIzin(true);
    doc.Form_Resize();
    doc.HScroll1_Change(5);
    QCOMPARE(view.applied.picture.x(), -50);
    doc.VScroll1_Change(12);
    QCOMPARE(view.applied.picture.y(), -120);
    // A closed gate ignores resizes.
    const int before = view.layouts;
    doc.setFormIzin(false);
    doc.Form_Resize();
    QCOMPARE(view.layouts, before);
}

void TestDocument::startUpSizesWindowAndSyncs()
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
    // Window width = image width; height = frame + image height.
    QCOMPARE(view.window, QSize(320, 26 + 200));
    QCOMPARE(doc.current.centreX, 160);
    QCOMPARE(doc.current.centreY, 100);
    QCOMPARE(doc.PicOrg.size(), QSize(320, 200));
    QCOMPARE(doc.Picture2.size(), QSize(320, 200));
    QCOMPARE(doc.PicOrg.GetPixel(5, 6), RGBColour(255, 0, 0));
    QCOMPARE(doc.Picture2.GetPixel(5, 6), RGBColour(255, 0, 0));
    QCOMPARE(doc.Picture1.GetPixel(0, 0), RGBColour(10, 20, 30));
    QCOMPARE(host.st.transparentColour, RGBColour(10, 20, 30));
    QVERIFY(view.layouts >= 1);
}

void TestDocument::activationFollowsMirror()
{
    FakeHost host;
    host.st.mirrorCount = 2;
    Document doc(host);
    doc.Picture1.resize(10, 10);
    doc.setFormIzin(true);
    doc.setMirrorEnabled(true);
    doc.Form_Activate();
    QCOMPARE(host.buttons.value(QStringLiteral("Mirror")), 1);
    QCOMPARE(doc.MirrorCount(), 2);
    doc.setMirrorEnabled(false);
    doc.Form_Activate();
    QCOMPARE(host.buttons.value(QStringLiteral("Mirror")), 0);
}

void TestDocument::closeQuestion()
{
    orvtest::PrivateSettings settings;
    FakeHost host;
    Document doc(host);
    doc.Caption = QStringLiteral("Image1");
    doc.Picture1.resize(4, 4);

    // Unchanged: no question.
    QVERIFY(doc.Form_Unload());
    QVERIFY(host.shownMessages.isEmpty());

    // Changed and untitled: Cancel keeps it; No discards; Yes goes to Save As.
    doc.setSaveReq(true);
    host.answers = {Msg::Cancel};
    QVERIFY(!doc.Form_Unload());
    QCOMPARE(host.shownMessages.last(), QStringLiteral("Save to this file ?"));
    QCOMPARE(host.shownTitles.last(), QStringLiteral("Image1"));
    QCOMPARE(host.shownStyles.last(), Msg::YesNoCancel | Msg::Question);

    host.answers = {Msg::Yes};
    host.onSaveAs = [&] { doc.setSaveReq(false); };
    QVERIFY(doc.Form_Unload());
    QCOMPARE(host.saveAsCalls, 1);

    // A Save As that did not save keeps the window open.
    doc.setSaveReq(true);
    host.answers = {Msg::Yes};
    host.onSaveAs = {};
    QVERIFY(!doc.Form_Unload());
    QCOMPARE(host.saveAsCalls, 2);

    host.answers = {Msg::No};
    QVERIFY(doc.Form_Unload());

    // The mirror flag of the document closed last is what the store holds.
    doc.setMirrorEnabled(true);
    doc.setSaveReq(false);
    QVERIFY(doc.Form_Unload());
    QCOMPARE(GetSetting(AppTitle(), QStringLiteral("Options"), QStringLiteral("Mirror")), QStringLiteral("True"));
}

void TestDocument::closeSavesRegisteredFile()
{
    orvtest::PrivateSettings settings;
    FakeHost host;
    Document doc(host);
    doc.Picture1.resize(3, 2);
    doc.Picture1.Cls();
    doc.Picture1.SetPixel(0, 0, RGBColour(0, 0, 255));
    doc.Caption = settings.path() + QStringLiteral("/picture.png");
    doc.Tag = QStringLiteral("Register");
    doc.setSaveReq(true);
    host.answers = {Msg::Yes};
    QVERIFY(doc.Form_Unload());
    QFile f(doc.Caption);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.left(2), QByteArray("BM"));   // a bitmap, whatever the name says
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

void TestDocument::valueStack()
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

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
