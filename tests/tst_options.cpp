// The Options dialog and the captioned slider it shows: what the dialog loads from the shared
// state, what its controls change at once, what only Apply or OK copies back, and the slider's
// change event, range and keyboard behaviour.
#include "app/AppState.h"
#include "app/ResStringsWidget.h"
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

// The dialog's controls, found by their names.
struct OptionsControls {
    explicit OptionsControls(frmOptions &dlg)
        : tabs(dlg.findChild<QTabWidget *>(QStringLiteral("SSTab1"))),
          startupImage(dlg.findChild<QCheckBox *>(QStringLiteral("StartupImage"))),
          view(dlg.findChild<QCheckBox *>(QStringLiteral("View"))),
          toolProperties(dlg.findChild<QCheckBox *>(QStringLiteral("ToolProperties"))),
          contLineClose(dlg.findChild<QCheckBox *>(QStringLiteral("ContLineClose"))),
          oneMirror(dlg.findChild<QRadioButton *>(QStringLiteral("Option3(0)"))),
          twoMirrors(dlg.findChild<QRadioButton *>(QStringLiteral("Option3(1)"))),
          zoom(dlg.findChild<OrvSlider *>(QStringLiteral("OptionZoom"))),
          ok(dlg.findChild<QPushButton *>(QStringLiteral("cmdOK"))),
          cancel(dlg.findChild<QPushButton *>(QStringLiteral("cmdCancel"))),
          apply(dlg.findChild<QPushButton *>(QStringLiteral("cmdApply")))
    {
    }
    bool complete() const
    {
        return tabs && startupImage && view && toolProperties && contLineClose && oneMirror && twoMirrors && zoom
            && ok && cancel && apply;
    }

    QTabWidget *tabs;
    QCheckBox *startupImage;
    QCheckBox *view;
    QCheckBox *toolProperties;
    QCheckBox *contLineClose;
    QRadioButton *oneMirror;
    QRadioButton *twoMirrors;
    OrvSlider *zoom;
    QPushButton *ok;
    QPushButton *cancel;
    QPushButton *apply;
};

std::function<bool()> documentOpen(bool open)
{
    return [open] { return open; };
}

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
    void loadsZoomWithoutChangingIt();
    void cancelDropsCheckBoxChanges();
    void applyThenCancelKeepsAppliedValues();
    void okCopiesTheWholeRecordBack();
    void applyEnabledOnlyWhileSomethingIsPending();
    void mirrorButtonsNeedADocument();
    void zoomSliderActsAtOnce();
    void keyboardEscapeCancelsEnterAccepts();

    // --- OrvSlider ----------------------------------------------------------------------
    void sliderChangeFiresForProgramAndUser();
    void sliderKeepsValueInRange();
    void sliderKeyboard();
    void sliderCaptionThroughProperties();
    void sliderValueTextWithSuffix();
};

// ---------------------------------------------------------------------------------------------

void TestOptions::textsComeFromTheStringTable()
{
    AppState state;
    frmOptions dlg(state, documentOpen(false));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Options"));
    QCOMPARE(c.tabs->count(), 3);
    QCOMPARE(c.tabs->tabText(0), QStringLiteral("General"));
    QCOMPARE(c.tabs->tabText(1), QStringLiteral("Exit"));
    QCOMPARE(c.tabs->tabText(2), QStringLiteral("Drawing"));
    QCOMPARE(c.tabs->currentIndex(), 0);
    QCOMPARE(dlg.findChild<QGroupBox *>(QStringLiteral("Frame2"))->title(), QStringLiteral("Startup"));
    QCOMPARE(dlg.findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(), QStringLiteral("Save to exit"));
    QCOMPARE(dlg.findChild<QGroupBox *>(QStringLiteral("Frame4"))->title(), QStringLiteral("Drawing properties"));
    QCOMPARE(dlg.findChild<QGroupBox *>(QStringLiteral("frmMirror"))->title(), QStringLiteral("Mirrors"));
    QCOMPARE(c.startupImage->text(), QStringLiteral("Auto-New Image on startup"));
    QCOMPARE(c.view->text(), QStringLiteral("Save behavior options"));
    QCOMPARE(c.toolProperties->text(), QStringLiteral("Save tool properties"));
    QCOMPARE(c.contLineClose->text(), QStringLiteral("Close Continuous line"));
    QCOMPARE(c.oneMirror->text(), QStringLiteral("1 Mirror"));
    QCOMPARE(c.twoMirrors->text(), QStringLiteral("2 Mirror"));
    QCOMPARE(c.zoom->caption(), QStringLiteral("Zoom Factor"));   // its tag names no string
    QCOMPARE(c.ok->text(), QStringLiteral("&OK"));
    QCOMPARE(c.cancel->text(), QStringLiteral("&Cancel"));
    QCOMPARE(c.apply->text(), QStringLiteral("&Apply"));
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

    frmOptions dlg(state, documentOpen(false));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    QCOMPARE(c.view->isChecked(), masterView != 0);
    QCOMPARE(c.startupImage->isChecked(), openImage != 0);
    QCOMPARE(c.contLineClose->isChecked(), contLineClose != 0);
    QCOMPARE(c.toolProperties->isChecked(), toolProperties != 0);
    QVERIFY(!c.apply->isEnabled());
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
    frmOptions dlg(state, documentOpen(document));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    QCOMPARE(c.oneMirror->isChecked(), one);
    QCOMPARE(c.twoMirrors->isChecked(), two);
    QCOMPARE(state.mirrorCount, std::int16_t(count));
}

void TestOptions::loadsZoomWithoutChangingIt()
{
    AppState state;
    state.zoomFactor = 7;
    {
        frmOptions dlg(state, documentOpen(false));
        OptionsControls c(dlg);
        QVERIFY(c.complete());
        QCOMPARE(c.zoom->minimum(), 1);
        QCOMPARE(c.zoom->maximum(), 20);
        QCOMPARE(c.zoom->value(), 7);
    }
    // A factor beyond the slider (the zoom window's Plus reaches 23) survives opening the dialog.
    state.zoomFactor = 23;
    frmOptions dlg(state, documentOpen(false));
    QCOMPARE(dlg.findChild<OrvSlider *>(QStringLiteral("OptionZoom"))->value(), 20);
    dlg.reject();
    QCOMPARE(state.zoomFactor, std::int16_t(23));
}

void TestOptions::cancelDropsCheckBoxChanges()
{
    AppState state;
    frmOptions dlg(state, documentOpen(false));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    c.toolProperties->click();   // uncheck "Save tool properties"
    QVERIFY(!c.toolProperties->isChecked());
    c.startupImage->click();
    QCOMPARE(state.options.MasterToolProperties, std::int16_t(-1));   // not before Apply
    c.cancel->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(state.options.MasterToolProperties, std::int16_t(-1));
    QCOMPARE(state.options.OpenImageOnstartup, std::int16_t(0));
}

void TestOptions::applyThenCancelKeepsAppliedValues()
{
    AppState state;
    frmOptions dlg(state, documentOpen(false));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    c.view->click();
    c.contLineClose->click();
    c.apply->click();
    QCOMPARE(state.options.MasterView, std::int16_t(0));
    QCOMPARE(state.options.ContLineClose, std::int16_t(0));

    c.startupImage->click();   // pending, then dropped
    c.cancel->click();
    QCOMPARE(state.options.MasterView, std::int16_t(0));
    QCOMPARE(state.options.ContLineClose, std::int16_t(0));
    QCOMPARE(state.options.OpenImageOnstartup, std::int16_t(0));
}

void TestOptions::okCopiesTheWholeRecordBack()
{
    AppState state;
    state.options.NewFileWidth = 800;
    state.options.PopupMenu = -1;
    frmOptions dlg(state, documentOpen(false));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    c.startupImage->click();
    c.toolProperties->click();
    c.ok->click();
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
    frmOptions dlg(state, documentOpen(true));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    QVERIFY(!c.apply->isEnabled());
    // Mirror and zoom act at once: nothing to apply.
    c.twoMirrors->click();
    c.zoom->setValue(9);
    QVERIFY(!c.apply->isEnabled());
    for (QCheckBox *box : {c.view, c.startupImage, c.toolProperties, c.contLineClose}) {
        box->click();
        QVERIFY2(c.apply->isEnabled(), qPrintable(box->objectName()));
        c.apply->click();
        QVERIFY2(!c.apply->isEnabled(), qPrintable(box->objectName()));
    }
    // Checking a box back on counts as a change too.
    c.view->click();
    QVERIFY(c.view->isChecked());
    QVERIFY(c.apply->isEnabled());
}

void TestOptions::mirrorButtonsNeedADocument()
{
    {
        AppState state;
        frmOptions dlg(state, documentOpen(false));
        OptionsControls c(dlg);
        QVERIFY(c.complete());
        c.twoMirrors->click();
        QCOMPARE(state.mirrorCount, std::int16_t(1));
        c.ok->click();
        QCOMPARE(state.mirrorCount, std::int16_t(1));
    }
    AppState state;
    bool document = true;
    frmOptions dlg(state, [&document] { return document; });
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    c.twoMirrors->click();
    QCOMPARE(state.mirrorCount, std::int16_t(2));
    c.oneMirror->click();
    QCOMPARE(state.mirrorCount, std::int16_t(1));
    c.twoMirrors->click();
    // The document closing meanwhile is seen at the click.
    document = false;
    c.oneMirror->click();
    QCOMPARE(state.mirrorCount, std::int16_t(2));
    c.cancel->click();   // already changed: Cancel keeps it
    QCOMPARE(state.mirrorCount, std::int16_t(2));
}

void TestOptions::zoomSliderActsAtOnce()
{
    AppState state;
    state.zoomFactor = 4;
    frmOptions dlg(state, documentOpen(false));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    QTest::keyClick(c.zoom->slider(), Qt::Key_Right);
    QCOMPARE(state.zoomFactor, std::int16_t(5));
    QTest::keyClick(c.zoom->slider(), Qt::Key_End);
    QCOMPARE(state.zoomFactor, std::int16_t(20));
    c.cancel->click();
    QCOMPARE(state.zoomFactor, std::int16_t(20));
}

void TestOptions::keyboardEscapeCancelsEnterAccepts()
{
    {
        AppState state;
        frmOptions dlg(state, documentOpen(false));
        OptionsControls c(dlg);
        QVERIFY(c.complete());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        c.view->click();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(state.options.MasterView, std::int16_t(-1));
    }
    AppState state;
    frmOptions dlg(state, documentOpen(false));
    OptionsControls c(dlg);
    QVERIFY(c.complete());
    QVERIFY(c.ok->isDefault());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    c.view->click();
    QTest::keyClick(&dlg, Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(state.options.MasterView, std::int16_t(0));
}

// ---------------------------------------------------------------------------------------------

void TestOptions::sliderChangeFiresForProgramAndUser()
{
    OrvSlider slider(QStringLiteral("Width"), 1, 16);
    QSignalSpy spy(&slider, &OrvSlider::valueChanged);
    slider.setValue(5);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 5);
    slider.setValue(5);                 // no change, no event
    QCOMPARE(spy.count(), 0);
    QTest::keyClick(slider.slider(), Qt::Key_Right);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 6);
    QCOMPARE(slider.value(), 6);
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

void TestOptions::sliderKeyboard()
{
    OrvSlider slider(QStringLiteral("Density"), 1, 500);
    QCOMPARE(slider.focusProxy(), static_cast<QWidget *>(slider.slider()));
    QVERIFY(slider.slider()->focusPolicy() & Qt::TabFocus);
    slider.setValue(100);
    QTest::keyClick(slider.slider(), Qt::Key_PageUp);
    QCOMPARE(slider.value(), 149);      // a page is a tenth of the range
    QTest::keyClick(slider.slider(), Qt::Key_Left);
    QCOMPARE(slider.value(), 148);
    QTest::keyClick(slider.slider(), Qt::Key_Home);
    QCOMPARE(slider.value(), 1);
    QTest::keyClick(slider.slider(), Qt::Key_End);
    QCOMPARE(slider.value(), 500);
}

void TestOptions::sliderCaptionThroughProperties()
{
    OrvSlider slider;
    QVERIFY(slider.setProperty("caption", QStringLiteral("Zoom Factor")));
    QCOMPARE(slider.caption(), QStringLiteral("Zoom Factor"));
    QVERIFY(slider.setProperty("text", QStringLiteral("Radius")));
    QCOMPARE(slider.caption(), QStringLiteral("Radius"));
    QCOMPARE(slider.property("caption").toString(), QStringLiteral("Radius"));

    // The string-table loader puts a caption on a slider through its tag.
    QWidget form;
    auto *width = new OrvSlider(QStringLiteral("design"), 1, 16, &form);
    auto *zoom = new OrvSlider(QStringLiteral("Zoom Factor"), 1, 20, &form);
    setTag(width, QStringLiteral("1207"));
    setTag(zoom, QStringLiteral("1257"));
    bool keepFonts = false;
    LoadResStrings(&form, keepFonts);
    QCOMPARE(width->caption(), QStringLiteral("Width"));
    QCOMPARE(zoom->caption(), QStringLiteral("Zoom Factor"));
}

void TestOptions::sliderValueTextWithSuffix()
{
    OrvSlider slider(QStringLiteral("Opacity"), 0, 100);
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
