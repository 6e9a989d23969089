// The program's dialogs offscreen. Options: what it loads from the shared state, what its
// controls change at once and what only Apply or OK copies back; its captioned slider's change
// event, range and keys. The text tool's dialog: its lists, the sample's font and colours,
// the size list's rule, the style buttons, and what OK and Cancel leave in the shared record.
// (The Image menu's resize, canvas-size and rotate dialogs are tst_imagedialogs.)
#include "FakeHost.h"
#include "testsupport.h"

#include "base/AppState.h"
#include "base/ResStrings.h"
#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "document/frmDocument.h"
#include "tools/OrvSliderWidget.h"
#include "tools/frmTextDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <memory>

using namespace orv;

namespace {

template<typename T>
T *child(QWidget *parent, const char *name)
{
    T *c = parent->findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("the dialog has no control %s", name);
    return c;
}

// The Options dialog with its controls found by their names.
struct Options : frmOptions {
    explicit Options(AppState &state, std::function<bool()> hasDocument = [] { return false; })
        : frmOptions(state, std::move(hasDocument))
    {
    }
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

// The shared state as the text dialog finds it: a drawing colour, a background and a record
// the dialog must not touch before OK.
AppState makeState()
{
    AppState st;
    st.backColour = RGBColour(10, 20, 30);
    st.drawColour = RGBColour(200, 100, 50);
    st.text.fontName = QStringLiteral("Previous");
    st.text.fontSize = 33;
    st.text.text = QStringLiteral("before");
    st.text.colour = RGBColour(1, 2, 3);
    return st;
}

// The record's style switches as four letters, '-' for each one off: Bold, Italic, Underline, Strike.
QString styleOf(const TextRecord &t)
{
    return QString(QLatin1String(t.bold ? "B" : "-")) + (t.italic ? "I" : "-") + (t.underline ? "U" : "-") + (t.strikethrough ? "S" : "-");
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
    std::unique_ptr<orvtest::PrivateSettings> m_folder;   // a fresh settings folder per test

private slots:
    void init() { m_folder = std::make_unique<orvtest::PrivateSettings>(); }
    void cleanup() { m_folder.reset(); }

    // --- Options ----------------------------------------------------------------------------
    void loadsCheckBoxesFromRecord_data()
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

    void loadsCheckBoxesFromRecord()
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

    void loadsMirrorButtons_data()
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

    void loadsMirrorButtons()
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

    void applyOkAndCancel()
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

    void applyEnabledOnlyWhileSomethingIsPending()
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

    void mirrorButtonsNeedADocument()
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

    void zoomSliderActsAtOnce()
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
        state.zoomFactor = 7;
        Options dlg(state);
        QCOMPARE(dlg.zoom->value(), 7);
        QTest::keyClick(dlg.zoom->slider(), Qt::Key_Right);
        QCOMPARE(state.zoomFactor, std::int16_t(8));
        QTest::keyClick(dlg.zoom->slider(), Qt::Key_End);
        QCOMPARE(state.zoomFactor, std::int16_t(20));
        dlg.cancel->click();
        QCOMPARE(state.zoomFactor, std::int16_t(20));
    }

    void keyboardEscapeCancelsEnterAccepts()
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

    void sliderChangeEventAndKeyboard()
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

    void sliderKeepsValueInRange()
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

    void sliderCaptionAndValueText()
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

    // --- Text dialog ------------------------------------------------------------------------
    void textDialogLists()
    {
        AppState st = makeState();
        frmTextDialog dlg(st);
        QVERIFY(dlg.isModal());
        // The size list: the 17 sizes in order.
        QStringList sizes;
        for (int i = 0; i < dlg.ComboSize()->count(); ++i)
            sizes << dlg.ComboSize()->itemText(i);
        QCOMPARE(sizes, QStringList({"4", "6", "8", "10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30",
                                     "36", "48", "72"}));
        // The font list: every family the system lists, in its order. With no font of an earlier
        // text the machine still has ("Previous" is none), the desktop's own font is selected.
        const QStringList families = QFontDatabase::families();
        QCOMPARE(dlg.ComboFont()->count(), families.size());
        for (int i = 0; i < families.size(); ++i)
            QCOMPARE(dlg.ComboFont()->itemText(i), families.at(i));
        if (!families.isEmpty()) {
            const QString desktop = QFontInfo(QApplication::font()).family();
            const QString expected = families.contains(desktop) ? desktop : families.first();
            QCOMPARE(dlg.ComboFont()->currentText(), expected);
            QCOMPARE(dlg.sampleFont().family(), expected);
            // The font of the last text, when the machine has it, is where the list opens next.
            st.text.fontName = families.last();
            frmTextDialog again(st);
            QCOMPARE(again.ComboFont()->currentText(), families.last());
            QCOMPARE(again.sampleFont().family(), families.last());
            // Choosing another font changes the sample's family.
            if (families.size() > 1) {
                dlg.ComboFont()->setCurrentIndex(1);
                QCOMPARE(dlg.sampleFont().family(), families.at(1));
                QCOMPARE(dlg.Text1()->font().family(), families.at(1));
            }
        }
        // The sample: text colour is the drawing colour, background the background colour.
        const QPalette pal = dlg.Text1()->palette();
        QCOMPARE(pal.color(QPalette::Text), QColor(200, 100, 50));
        QCOMPARE(pal.color(QPalette::Base), QColor(10, 20, 30));
    }

    void textDialogSizeList()
    {
        AppState st = makeState();
        st.textDialogPending = false;
        frmTextDialog dlg(st);
        // It opens on size 10 with the sample at 8, the record untouched.
        QCOMPARE(dlg.ComboSize()->currentIndex(), 3);
        QCOMPARE(dlg.ComboSize()->currentText(), QStringLiteral("10"));
        QCOMPARE(dlg.sampleFont().pointSize(), 8);
        QCOMPARE(dlg.Text1()->font().pointSize(), 8);
        QVERIFY(st.textDialogPending);
        QCOMPARE(st.text.fontSize, std::int16_t(33));
        QCOMPARE(st.text.text, QStringLiteral("before"));

        // "4" and "6" leave the sample as it is; "8" and larger take effect.
        for (const auto &[index, points] : {std::pair{0, 8}, {1, 8}, {2, 8}, {16, 72}, {0, 72}, {4, 12}}) {
            dlg.ComboSize()->setCurrentIndex(index);
            QCOMPARE(dlg.sampleFont().pointSize(), points);
            QCOMPARE(dlg.Text1()->font().pointSize(), points);
        }
    }

    void textDialogStyleButtonsInvert()
    {
        AppState st = makeState();
        frmTextDialog dlg(st);
        const QFont start = dlg.sampleFont();
        QVERIFY(!start.bold());
        QTest::mouseClick(dlg.CmdBold(), Qt::LeftButton);
        QVERIFY(dlg.sampleFont().bold());
        QVERIFY(dlg.Text1()->font().bold());
        QTest::mouseClick(dlg.CmdBold(), Qt::LeftButton);
        QCOMPARE(dlg.sampleFont().weight(), start.weight());
        QVERIFY(!dlg.Text1()->font().bold());
        // Each button inverts its own attribute only.
        QTest::mouseClick(dlg.CmdItalic(), Qt::LeftButton);
        QTest::mouseClick(dlg.CmdUnderLine(), Qt::LeftButton);
        QTest::mouseClick(dlg.CmdStrikeTr(), Qt::LeftButton);
        QVERIFY(dlg.sampleFont().italic());
        QVERIFY(dlg.sampleFont().underline());
        QVERIFY(dlg.sampleFont().strikeOut());
        QVERIFY(!dlg.sampleFont().bold());
        QTest::mouseClick(dlg.CmdUnderLine(), Qt::LeftButton);
        QVERIFY(!dlg.sampleFont().underline());
        QVERIFY(dlg.sampleFont().italic());
    }

    void textDialogOkFillsRecord()
    {
        AppState st = makeState();
        {
            frmTextDialog dlg(st);
            dlg.Text1()->setText(QStringLiteral("Hello there"));
            QTest::mouseClick(dlg.CmdItalic(), Qt::LeftButton);
            QTest::mouseClick(dlg.CmdStrikeTr(), Qt::LeftButton);
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(st.text.fontName, dlg.sampleFont().family());
        }
        QVERIFY(!st.textDialogPending);
        QCOMPARE(st.text.text, QStringLiteral("Hello there"));
        QCOMPARE(st.text.fontSize, std::int16_t(8));      // the size shown was never picked
        QCOMPARE(styleOf(st.text), QStringLiteral("-I-S"));
        QCOMPARE(st.text.colour, RGBColour(200, 100, 50));
        // A picked size is stored; bold too.
        {
            frmTextDialog dlg(st);
            QVERIFY(st.textDialogPending);
            dlg.ComboSize()->setCurrentIndex(8);
            QTest::mouseClick(dlg.CmdBold(), Qt::LeftButton);
            dlg.Text1()->setText(QString());
            QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
        }
        QVERIFY(!st.textDialogPending);
        QCOMPARE(st.text.fontSize, std::int16_t(20));
        QCOMPARE(styleOf(st.text), QStringLiteral("B---"));
        QVERIFY(st.text.text.isEmpty());
    }

    void textDialogCancelLeavesRecordAndPending()
    {
        AppState st = makeState();
        st.textDialogPending = false;
        {
            frmTextDialog dlg(st);
            dlg.Text1()->setText(QStringLiteral("typed"));
            dlg.ComboSize()->setCurrentIndex(10);
            QTest::mouseClick(dlg.CmdBold(), Qt::LeftButton);
            QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
        QVERIFY(st.textDialogPending);
        QCOMPARE(st.text.text, QStringLiteral("before"));
        QCOMPARE(st.text.fontName, QStringLiteral("Previous"));
        QCOMPARE(st.text.fontSize, std::int16_t(33));
        QCOMPARE(styleOf(st.text), QStringLiteral("----"));
        QCOMPARE(st.text.colour, RGBColour(1, 2, 3));
        // Esc closes it the same way.
        {
            frmTextDialog dlg(st);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            dlg.Text1()->setText(QStringLiteral("typed again"));
            QTest::keyClick(&dlg, Qt::Key_Escape);
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
        QVERIFY(st.textDialogPending);
        QCOMPARE(st.text.text, QStringLiteral("before"));
    }

};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
