// The Options dialog and the captioned slider it shows: what the dialog loads from the shared
// state, what its controls change at once, what only Apply or OK copies back, and the slider's
// change event, range and keyboard behaviour.
#include "app/AppState.h"
#include "app/frmOptions.h"
#include "testsupport.h"
#include "tools/OrvSliderWidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace orv;

namespace {

template<typename T>
T *child(QWidget *parent, const char *name)
{
    T *c = parent->findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("the Options dialog has no control %s", name);
    return c;
}

// The dialog with its controls found by their names.
struct Options : frmOptions {
    explicit Options(AppState &state, std::function<bool()> hasDocument = [] { return false; })
        : frmOptions(state, std::move(hasDocument))
    {
    }
    QTabWidget *tabs = child<QTabWidget>(this, "SSTab1");
    QCheckBox *startupImage = child<QCheckBox>(this, "StartupImage");
    QCheckBox *view = child<QCheckBox>(this, "View");
    QCheckBox *toolProperties = child<QCheckBox>(this, "ToolProperties");
    QCheckBox *contLineClose = child<QCheckBox>(this, "ContLineClose");
    QRadioButton *oneMirror = child<QRadioButton>(this, "Option3(0)");
    QRadioButton *twoMirrors = child<QRadioButton>(this, "Option3(1)");
    OrvSlider *zoom = child<OrvSlider>(this, "OptionZoom");
    QPushButton *ok = child<QPushButton>(this, "cmdOK");
    QPushButton *cancel = child<QPushButton>(this, "cmdCancel");
    QPushButton *apply = child<QPushButton>(this, "cmdApply");
};

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<orvtest::PrivateSettings> m_folder;

private slots:
    void init() { m_folder = std::make_unique<orvtest::PrivateSettings>(); }
    void cleanup() { m_folder.reset(); }

    // --- frmOptions ---------------------------------------------------------------------
    void textsComeFromTheStringTable();
    void loadsCheckBoxesFromRecord_data();
    void loadsCheckBoxesFromRecord();
    void loadsMirrorButtons_data();
    void loadsMirrorButtons();
    void applyOkAndCancel();
    void applyEnabledOnlyWhileSomethingIsPending();
    void mirrorButtonsNeedADocument();
    void zoomSliderActsAtOnce();
    void keyboardEscapeCancelsEnterAccepts();

    // --- OrvSlider ----------------------------------------------------------------------
    void sliderChangeEventAndKeyboard();
    void sliderKeepsValueInRange();
    void sliderCaptionAndValueText();
};

// ---------------------------------------------------------------------------------------------

void TestOptions::textsComeFromTheStringTable()
{
    AppState state;
    Options dlg(state);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(dlg.tabs->count(), 3);
    QCOMPARE(dlg.tabs->tabText(0), QStringLiteral("General"));
    QCOMPARE(dlg.tabs->tabText(1), QStringLiteral("Exit"));
    QCOMPARE(dlg.tabs->tabText(2), QStringLiteral("Drawing"));
    QCOMPARE(dlg.tabs->currentIndex(), 0);
    QCOMPARE(child<QGroupBox>(&dlg, "Frame2")->title(), QStringLiteral("Startup"));
    QCOMPARE(child<QGroupBox>(&dlg, "Frame1")->title(), QStringLiteral("Save to exit"));
    QCOMPARE(child<QGroupBox>(&dlg, "Frame4")->title(), QStringLiteral("Drawing properties"));
    QCOMPARE(child<QGroupBox>(&dlg, "frmMirror")->title(), QStringLiteral("Mirrors"));
    QCOMPARE(dlg.startupImage->text(), QStringLiteral("Auto-New Image on startup"));
    QCOMPARE(dlg.view->text(), QStringLiteral("Save behavior options"));
    QCOMPARE(dlg.toolProperties->text(), QStringLiteral("Save tool properties"));
    QCOMPARE(dlg.contLineClose->text(), QStringLiteral("Close Continuous line"));
    QCOMPARE(dlg.oneMirror->text(), QStringLiteral("1 Mirror"));
    QCOMPARE(dlg.twoMirrors->text(), QStringLiteral("2 Mirror"));
    QCOMPARE(dlg.zoom->caption(), QStringLiteral("Zoom Factor"));   // its tag names no string
    QCOMPARE(dlg.ok->text(), QStringLiteral("&OK"));
    QCOMPARE(dlg.cancel->text(), QStringLiteral("&Cancel"));
    QCOMPARE(dlg.apply->text(), QStringLiteral("&Apply"));
}

void TestOptions::loadsCheckBoxesFromRecord_data()
{
    QTest::addColumn<int>("masterView");
    QTest::addColumn<int>("openImage");
    QTest::addColumn<int>("contLineClose");
    QTest::addColumn<int>("toolProperties");
    QTest::newRow("defaults") << -1 << 0 << -1 << -1;
    QTest::newRow("all off") << 0 << 0 << 0 << 0;
    QTest::newRow("all on") << -1 << -1 << -1 << -1;
    QTest::newRow("mixed") << 0 << -1 << 0 << -1;
    QTest::newRow("any non-zero is on") << 1 << 5 << 0 << 0;
}

void TestOptions::loadsCheckBoxesFromRecord()
{
    QFETCH(int, masterView);
    QFETCH(int, openImage);
    QFETCH(int, contLineClose);
    QFETCH(int, toolProperties);
    AppState state;
    state.options.MasterView = std::int16_t(masterView);
    state.options.OpenImageOnstartup = std::int16_t(openImage);
    state.options.ContLineClose = std::int16_t(contLineClose);
    state.options.MasterToolProperties = std::int16_t(toolProperties);
    const OptionsRecord before = state.options;

    Options dlg(state);
    QCOMPARE(dlg.view->isChecked(), masterView != 0);
    QCOMPARE(dlg.startupImage->isChecked(), openImage != 0);
    QCOMPARE(dlg.contLineClose->isChecked(), contLineClose != 0);
    QCOMPARE(dlg.toolProperties->isChecked(), toolProperties != 0);
    QVERIFY(!dlg.apply->isEnabled());
    QCOMPARE(state.options, before);   // loading changes nothing
}

void TestOptions::loadsMirrorButtons_data()
{
    QTest::addColumn<bool>("document");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("one");
    QTest::addColumn<bool>("two");
    QTest::newRow("no document, count 2") << false << 2 << true << false;
    QTest::newRow("no document, count 1") << false << 1 << true << false;
    QTest::newRow("document, count 1") << true << 1 << true << false;
    QTest::newRow("document, count 2") << true << 2 << false << true;
    QTest::newRow("document, count 3") << true << 3 << false << false;
}

void TestOptions::loadsMirrorButtons()
{
    QFETCH(bool, document);
    QFETCH(int, count);
    QFETCH(bool, one);
    QFETCH(bool, two);
    AppState state;
    state.mirrorCount = std::int16_t(count);
    Options dlg(state, [document] { return document; });
    QCOMPARE(dlg.oneMirror->isChecked(), one);
    QCOMPARE(dlg.twoMirrors->isChecked(), two);
    QCOMPARE(state.mirrorCount, std::int16_t(count));
}

void TestOptions::applyOkAndCancel()
{
    {
        // Cancel drops the pending check-box changes.
        AppState state;
        Options dlg(state);
        dlg.toolProperties->click();   // uncheck "Save tool properties"
        QVERIFY(!dlg.toolProperties->isChecked());
        dlg.startupImage->click();
        QCOMPARE(state.options.MasterToolProperties, std::int16_t(-1));   // not before Apply
        dlg.cancel->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(state.options.MasterToolProperties, std::int16_t(-1));
        QCOMPARE(state.options.OpenImageOnstartup, std::int16_t(0));
    }
    {
        // What Apply copied back stays after a later Cancel.
        AppState state;
        Options dlg(state);
        dlg.view->click();
        dlg.contLineClose->click();
        dlg.apply->click();
        QCOMPARE(state.options.MasterView, std::int16_t(0));
        QCOMPARE(state.options.ContLineClose, std::int16_t(0));
        dlg.startupImage->click();   // pending, then dropped
        dlg.cancel->click();
        QCOMPARE(state.options.MasterView, std::int16_t(0));
        QCOMPARE(state.options.ContLineClose, std::int16_t(0));
        QCOMPARE(state.options.OpenImageOnstartup, std::int16_t(0));
    }
    // OK copies the whole record back, fields the dialog does not show included.
    AppState state;
    state.options.NewFileWidth = 800;
    state.options.PopupMenu = -1;
    Options dlg(state);
    dlg.startupImage->click();
    dlg.toolProperties->click();
    dlg.ok->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    OptionsRecord expected;
    expected.NewFileWidth = 800;
    expected.PopupMenu = -1;
    expected.OpenImageOnstartup = -1;
    expected.MasterToolProperties = 0;
    QCOMPARE(state.options, expected);
}

void TestOptions::applyEnabledOnlyWhileSomethingIsPending()
{
    AppState state;
    state.mirrorCount = 1;
    Options dlg(state, [] { return true; });
    QVERIFY(!dlg.apply->isEnabled());
    // Mirror and zoom act at once: nothing to apply.
    dlg.twoMirrors->click();
    dlg.zoom->setValue(9);
    QVERIFY(!dlg.apply->isEnabled());
    for (QCheckBox *box : {dlg.view, dlg.startupImage, dlg.toolProperties, dlg.contLineClose}) {
        box->click();
        QVERIFY2(dlg.apply->isEnabled(), qPrintable(box->objectName()));
        dlg.apply->click();
        QVERIFY2(!dlg.apply->isEnabled(), qPrintable(box->objectName()));
    }
    // Checking a box back on counts as a change too.
    dlg.view->click();
    QVERIFY(dlg.view->isChecked());
    QVERIFY(dlg.apply->isEnabled());
}

void TestOptions::mirrorButtonsNeedADocument()
{
    {
        AppState state;
        Options dlg(state);
        dlg.twoMirrors->click();
        QCOMPARE(state.mirrorCount, std::int16_t(1));
        dlg.ok->click();
        QCOMPARE(state.mirrorCount, std::int16_t(1));
    }
    AppState state;
    bool document = true;
    Options dlg(state, [&document] { return document; });
    dlg.twoMirrors->click();
    QCOMPARE(state.mirrorCount, std::int16_t(2));
    dlg.oneMirror->click();
    QCOMPARE(state.mirrorCount, std::int16_t(1));
    dlg.twoMirrors->click();
    // The document closing meanwhile is seen at the click.
    document = false;
    dlg.oneMirror->click();
    QCOMPARE(state.mirrorCount, std::int16_t(2));
    dlg.cancel->click();   // already changed: Cancel keeps it
    QCOMPARE(state.mirrorCount, std::int16_t(2));
}

void TestOptions::zoomSliderActsAtOnce()
{
    AppState state;
    state.zoomFactor = 23;
    {
        // A factor beyond the slider (the zoom window's Plus reaches 23) survives opening the dialog.
        Options dlg(state);
        QCOMPARE(dlg.zoom->minimum(), 1);
        QCOMPARE(dlg.zoom->maximum(), 20);
        QCOMPARE(dlg.zoom->value(), 20);
        dlg.reject();
        QCOMPARE(state.zoomFactor, std::int16_t(23));
    }
    state.zoomFactor = 4;
    Options dlg(state);
    QCOMPARE(dlg.zoom->value(), 4);
    QTest::keyClick(dlg.zoom->slider(), Qt::Key_Right);
    QCOMPARE(state.zoomFactor, std::int16_t(5));
    QTest::keyClick(dlg.zoom->slider(), Qt::Key_End);
    QCOMPARE(state.zoomFactor, std::int16_t(20));
    dlg.cancel->click();
    QCOMPARE(state.zoomFactor, std::int16_t(20));
}

void TestOptions::keyboardEscapeCancelsEnterAccepts()
{
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        AppState state;
        Options dlg(state);
        QVERIFY(dlg.ok->isDefault());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.view->click();
        QTest::keyClick(&dlg, key);
        QVERIFY(!dlg.isVisible());
        const bool accepted = key == Qt::Key_Return;
        QCOMPARE(dlg.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(state.options.MasterView, std::int16_t(accepted ? 0 : -1));
    }
}

// ---------------------------------------------------------------------------------------------

void TestOptions::sliderChangeEventAndKeyboard()
{
    OrvSlider slider(QStringLiteral("Density"), 1, 500);
    QCOMPARE(slider.focusProxy(), static_cast<QWidget *>(slider.slider()));
    QVERIFY(slider.slider()->focusPolicy() & Qt::TabFocus);
    QSignalSpy spy(&slider, &OrvSlider::valueChanged);
    slider.setValue(100);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 100);
    slider.setValue(100);               // no change, no event
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(slider.slider(), Qt::Key_PageUp);
    QCOMPARE(slider.value(), 149);      // a page is a tenth of the range
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 149);
    QTest::keyClick(slider.slider(), Qt::Key_Left);
    QCOMPARE(slider.value(), 148);
    QTest::keyClick(slider.slider(), Qt::Key_Home);
    QCOMPARE(slider.value(), 1);
    QTest::keyClick(slider.slider(), Qt::Key_End);
    QCOMPARE(slider.value(), 500);
}

void TestOptions::sliderKeepsValueInRange()
{
    OrvSlider slider(QStringLiteral("Radius"), 5, 150);
    QCOMPARE(slider.value(), 5);
    QSignalSpy spy(&slider, &OrvSlider::valueChanged);
    slider.setValue(200);
    QCOMPARE(slider.value(), 150);
    slider.setValue(-3);
    QCOMPARE(slider.value(), 5);
    QCOMPARE(spy.count(), 2);
    slider.setValue(100);
    spy.clear();
    slider.setMaximum(50);              // pulls the value in and says so
    QCOMPARE(slider.value(), 50);
    QCOMPARE(spy.count(), 1);
    slider.setMinimum(80);              // a minimum above the maximum carries it along
    QCOMPARE(slider.minimum(), 80);
    QCOMPARE(slider.maximum(), 80);
    QCOMPARE(slider.value(), 80);
    slider.setRange(1, 500);
    QCOMPARE(slider.value(), 80);
}

void TestOptions::sliderCaptionAndValueText()
{
    OrvSlider slider;
    QVERIFY(slider.setProperty("caption", QStringLiteral("Zoom Factor")));
    QCOMPARE(slider.caption(), QStringLiteral("Zoom Factor"));
    QVERIFY(slider.setProperty("text", QStringLiteral("Radius")));
    QCOMPARE(slider.caption(), QStringLiteral("Radius"));
    QCOMPARE(slider.property("caption").toString(), QStringLiteral("Radius"));

    slider.setRange(0, 100);
    slider.setValue(42);
    QCOMPARE(slider.valueText(), QStringLiteral("42"));
    slider.setSuffix(QStringLiteral("%"));
    QCOMPARE(slider.valueText(), QStringLiteral("42%"));
    auto *shown = slider.findChild<QLabel *>(QStringLiteral("value"));
    QVERIFY(shown);
    QCOMPARE(shown->text(), QStringLiteral("42%"));
    slider.setValue(7);
    QCOMPARE(shown->text(), QStringLiteral("7%"));
    QVERIFY(slider.sizeHint().width() >= slider.minimumSizeHint().width());
    QVERIFY(slider.sizeHint().height() > 0);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
