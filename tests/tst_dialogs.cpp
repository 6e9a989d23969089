// Dialogs offscreen: Options, its captioned slider, the text tool's dialog. The Image menu's: tst_imagedialogs.
#include "testsupport.h"

#include "base/AppState.h"
#include "app/frmOptions.h"
#include "tools/OrvSliderWidget.h"
#include "tools/frmTextDialog.h"

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
        : frmOptions(state, std::move(hasDocument)) {}
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

// The shared state as the text dialog finds it: colours, and a record it must not touch before OK.
AppState textState()
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

// Style switches as four letters, '-' for each one off: Bold, Italic, Underline, Strike.
QString styleOf(bool b, bool i, bool u, bool s) { return QString(QLatin1String(b ? "B" : "-")) + (i ? "I" : "-") + (u ? "U" : "-") + (s ? "S" : "-"); }
QString styleOf(const TextRecord &t) { return styleOf(t.bold, t.italic, t.underline, t.strikethrough); }
QString styleOf(const QFont &f) { return styleOf(f.bold(), f.italic(), f.underline(), f.strikeOut()); }

void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class TestDialogs : public orvtest::FreshSettingsTest {
    Q_OBJECT
private slots:
    void optionsLoadFromTheState()
    {
        // MasterView, OpenImageOnstartup, ContLineClose, MasterToolProperties: any non-zero is on.
        for (const auto &v : {std::array{-1, 0, -1, -1}, {0, 0, 0, 0}, {-1, -1, -1, -1}, {0, -1, 0, -1}, {1, 5, 0, 0}}) {
            AppState state;
            OptionsRecord &o = state.options;
            std::tie(o.MasterView, o.OpenImageOnstartup, o.ContLineClose, o.MasterToolProperties) = std::tuple{v[0], v[1], v[2], v[3]};
            const OptionsRecord before = state.options;
            Options dlg(state);
            QCOMPARE((std::array{dlg.view->isChecked(), dlg.startupImage->isChecked(), dlg.contLineClose->isChecked(),
                                 dlg.toolProperties->isChecked()}),
                     (std::array{v[0] != 0, v[1] != 0, v[2] != 0, v[3] != 0}));
            QVERIFY(!dlg.apply->isEnabled());
            QCOMPARE(state.options, before);   // loading changes nothing
        }
        // The mirror buttons show the count only with a document: {document, count, one, two}.
        for (const auto &[document, count, one, two] : {std::tuple{false, 2, true, false}, {false, 1, true, false},
                                                        {true, 1, true, false}, {true, 2, false, true}, {true, 3, false, false}}) {
            AppState state;
            state.mirrorCount = std::int16_t(count);
            Options dlg(state, [document = document] { return document; });
            QCOMPARE(dlg.oneMirror->isChecked(), one);
            QCOMPARE(dlg.twoMirrors->isChecked(), two);
            QCOMPARE(state.mirrorCount, std::int16_t(count));
        }
    }

    void closingKeepsWhatWasApplied()
    {
        // What Apply copied back stays; what is pending only OK or Enter take, Cancel and Esc drop it.
        enum How { CancelButton, Escape, OkButton, Enter };
        for (const How how : {CancelButton, Escape, OkButton, Enter}) {
            AppState state;
            state.options.NewFileWidth = 800;   // fields the dialog does not show
            state.options.PopupMenu = -1;
            Options dlg(state);
            QVERIFY(dlg.ok->isDefault());
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            dlg.view->click();
            dlg.contLineClose->click();
            dlg.apply->click();
            dlg.startupImage->click();
            dlg.toolProperties->click();
            QCOMPARE(state.options.MasterToolProperties, std::int16_t(-1));   // not before Apply
            if (how == CancelButton || how == OkButton)
                (how == OkButton ? dlg.ok : dlg.cancel)->click();
            else
                QTest::keyClick(&dlg, how == Escape ? Qt::Key_Escape : Qt::Key_Return);
            const bool accepted = how >= OkButton;
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
            OptionsRecord expected;
            expected.NewFileWidth = 800;
            expected.PopupMenu = -1;
            expected.MasterView = expected.ContLineClose = 0;
            if (accepted)
                std::tie(expected.OpenImageOnstartup, expected.MasterToolProperties) = std::pair<std::int16_t, std::int16_t>{-1, 0};
            QCOMPARE(state.options, expected);
        }
    }

    void mirrorAndZoomActAtOnceBoxesWaitForApply()
    {
        {
            AppState state;
            Options dlg(state);
            dlg.twoMirrors->click();
            dlg.ok->click();
            QCOMPARE(state.mirrorCount, std::int16_t(1));
        }
        AppState state;
        bool document = true;
        Options dlg(state, [&document] { return document; });
        QVERIFY(!dlg.apply->isEnabled());
        dlg.twoMirrors->click();
        QCOMPARE(state.mirrorCount, std::int16_t(2));
        dlg.oneMirror->click();
        QCOMPARE(state.mirrorCount, std::int16_t(1));
        dlg.twoMirrors->click();
        dlg.zoom->setValue(9);
        QVERIFY(!dlg.apply->isEnabled());   // nothing to apply; a check box waits for it
        for (QCheckBox *box : {dlg.view, dlg.startupImage, dlg.toolProperties, dlg.contLineClose}) {
            box->click();
            QVERIFY2(dlg.apply->isEnabled(), qPrintable(box->objectName()));
            dlg.apply->click();
            QVERIFY2(!dlg.apply->isEnabled(), qPrintable(box->objectName()));
        }
        dlg.view->click();   // checking a box back on counts as a change too
        QVERIFY(dlg.view->isChecked() && dlg.apply->isEnabled());
        document = false;   // the document closing meanwhile is seen at the click
        dlg.oneMirror->click();
        dlg.cancel->click();   // already changed: Cancel keeps it
        QCOMPARE(state.mirrorCount, std::int16_t(2));
        // The zoom too; a factor beyond the slider (the zoom window's Plus reaches 23) survives opening it.
        state.zoomFactor = 23;
        {
            Options zoom23(state);
            QCOMPARE((QList<int>{zoom23.zoom->minimum(), zoom23.zoom->maximum(), zoom23.zoom->value()}), (QList<int>{1, 20, 20}));
            zoom23.reject();
            QCOMPARE(state.zoomFactor, std::int16_t(23));
        }
        state.zoomFactor = 7;
        Options zoom7(state);
        QCOMPARE(zoom7.zoom->value(), 7);
        QTest::keyClick(zoom7.zoom->slider(), Qt::Key_Right);
        QCOMPARE(state.zoomFactor, std::int16_t(8));
        QTest::keyClick(zoom7.zoom->slider(), Qt::Key_End);
        zoom7.cancel->click();
        QCOMPARE(state.zoomFactor, std::int16_t(20));
    }

    void sliderChangeEventKeysAndRange()
    {
        OrvSlider slider(QStringLiteral("Density"), 1, 500);
        QCOMPARE(slider.focusProxy(), static_cast<QWidget *>(slider.slider()));
        QVERIFY(slider.slider()->focusPolicy() & Qt::TabFocus);
        QSignalSpy spy(&slider, &OrvSlider::valueChanged);
        slider.setValue(100);
        slider.setValue(100);   // no change, no event
        QTest::keyClick(slider.slider(), Qt::Key_PageUp);   // a page is a tenth of the range
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{100}, {149}}));
        for (const auto &[key, value] : {std::pair{Qt::Key_Left, 148}, {Qt::Key_Home, 1}, {Qt::Key_End, 500}}) {
            QTest::keyClick(slider.slider(), key);
            QCOMPARE(slider.value(), value);
        }
        // Values and ranges are kept in step, each change told.
        OrvSlider radius(QStringLiteral("Radius"), 5, 150);
        QCOMPARE(radius.value(), 5);
        QSignalSpy told(&radius, &OrvSlider::valueChanged);
        radius.setValue(200);
        QCOMPARE(radius.value(), 150);
        radius.setValue(-3);
        radius.setValue(100);
        radius.setMaximum(50);   // pulls the value in and says so
        QCOMPARE(QList<QVariantList>(told), (QList<QVariantList>{{150}, {5}, {100}, {50}}));
        radius.setMinimum(80);   // a minimum above the maximum carries it along
        QCOMPARE((QList<int>{radius.minimum(), radius.maximum(), radius.value()}), (QList<int>{80, 80, 80}));
        radius.setRange(1, 500);
        QCOMPARE(radius.value(), 80);
        // The value shown beside it follows, with its suffix.
        radius.setSuffix(QStringLiteral("%"));
        QCOMPARE(radius.valueText(), QStringLiteral("80%"));
        auto *shown = child<QLabel>(&radius, "value");
        radius.setValue(7);
        QCOMPARE(shown->text(), QStringLiteral("7%"));
    }

    void textDialogListsAndSample()
    {
        AppState st = textState();
        st.textDialogPending = false;
        frmTextDialog dlg(st);
        QVERIFY(dlg.isModal());
        QCOMPARE(items(dlg.ComboSize()), QStringList({"4", "6", "8", "10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30", "36", "48", "72"}));
        // Every family the system lists, in order; the earlier text's font ("Previous") is none: the desktop's is selected.
        const QStringList families = QFontDatabase::families();
        QCOMPARE(items(dlg.ComboFont()), families);
        if (!families.isEmpty()) {
            const QString desktop = QFontInfo(QApplication::font()).family();
            const QString expected = families.contains(desktop) ? desktop : families.first();
            QCOMPARE(dlg.ComboFont()->currentText(), expected);
            QCOMPARE(dlg.sampleFont().family(), expected);
            // The font of the last text, when the machine has it, is where the list opens next.
            AppState again = textState();
            again.text.fontName = families.last();
            frmTextDialog next(again);
            QCOMPARE(next.ComboFont()->currentText(), families.last());
            QCOMPARE(next.sampleFont().family(), families.last());
            if (families.size() > 1) {
                next.ComboFont()->setCurrentIndex(1);
                QCOMPARE(next.Text1()->font().family(), families.at(1));
            }
        }
        // The sample: the drawing colour on the background colour.
        const QPalette pal = dlg.Text1()->palette();
        QVERIFY(pal.color(QPalette::Text) == QColor(200, 100, 50) && pal.color(QPalette::Base) == QColor(10, 20, 30));
        // It opens on size 10 with the sample at 8, the record untouched.
        QCOMPARE(dlg.ComboSize()->currentText(), QStringLiteral("10"));
        QCOMPARE(dlg.Text1()->font().pointSize(), 8);
        QVERIFY(st.textDialogPending && st.text.fontSize == 33 && st.text.text == QStringLiteral("before"));
        // "4" and "6" leave the sample as it is; "8" and larger take effect.
        for (const auto &[index, points] : {std::pair{0, 8}, {1, 8}, {2, 8}, {16, 72}, {0, 72}, {4, 12}}) {
            dlg.ComboSize()->setCurrentIndex(index);
            QCOMPARE(dlg.sampleFont().pointSize(), points);
            QCOMPARE(dlg.Text1()->font().pointSize(), points);
        }
    }

    void textDialogStylesOkFillsRecordCancelLeavesIt()
    {
        AppState st = textState();
        {
            frmTextDialog dlg(st);
            const int weight = dlg.sampleFont().weight();
            QCOMPARE(styleOf(dlg.Text1()->font()), QStringLiteral("----"));
            // Each style button inverts its own attribute only, on the sample at once.
            for (const auto &[button, after] : {std::pair{dlg.CmdBold(), "B---"}, {dlg.CmdBold(), "----"}, {dlg.CmdItalic(), "-I--"},
                                                {dlg.CmdUnderLine(), "-IU-"}, {dlg.CmdStrikeTr(), "-IUS"}, {dlg.CmdUnderLine(), "-I-S"}}) {
                click(button);
                QCOMPARE(styleOf(dlg.Text1()->font()), QLatin1String(after));
            }
            QVERIFY(dlg.sampleFont().weight() == weight && dlg.sampleFont() == dlg.Text1()->font());
            dlg.Text1()->setText(QStringLiteral("Hello there"));
            click(dlg.OKButton());
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            QCOMPARE(st.text.fontName, dlg.sampleFont().family());
        }
        QVERIFY(!st.textDialogPending && st.text.colour == RGBColour(200, 100, 50));
        QCOMPARE(st.text.text, QStringLiteral("Hello there"));
        QCOMPARE(st.text.fontSize, std::int16_t(8));   // the size shown was never picked
        QCOMPARE(styleOf(st.text), QStringLiteral("-I-S"));
        {
            // A picked size is stored; bold too.
            frmTextDialog dlg(st);
            QVERIFY(st.textDialogPending);
            dlg.ComboSize()->setCurrentIndex(8);
            click(dlg.CmdBold());
            dlg.Text1()->setText(QString());
            click(dlg.OKButton());
        }
        QVERIFY(!st.textDialogPending && st.text.text.isEmpty());
        QCOMPARE(st.text.fontSize, std::int16_t(20));
        QCOMPARE(styleOf(st.text), QStringLiteral("B---"));
        // Cancel, and Esc the same way, leave the record and the pending flag as they were.
        AppState before = textState();
        before.textDialogPending = false;
        for (const bool escape : {false, true}) {
            frmTextDialog dlg(before);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            dlg.Text1()->setText(QStringLiteral("typed"));
            dlg.ComboSize()->setCurrentIndex(10);
            click(dlg.CmdBold());
            if (escape)
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else
                click(dlg.CancelButton());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY(before.textDialogPending && before.text.fontSize == 33 && before.text.colour == RGBColour(1, 2, 3));
            QCOMPARE(before.text.text + QLatin1Char('|') + before.text.fontName, QStringLiteral("before|Previous"));
            QCOMPARE(styleOf(before.text), QStringLiteral("----"));
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
