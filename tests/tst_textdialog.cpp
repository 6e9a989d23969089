// The text tool's dialog, offscreen: its controls and texts, the sample's font and colours,
// the size list's rule, the style buttons, and what OK and Cancel leave in the shared record.
#include "testsupport.h"
#include "tools/frmTextDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace orv;

namespace {

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

} // namespace

class TestTextDialog : public QObject {
    Q_OBJECT
private slots:
    void controlsAndTexts();
    void loadShowsSizeTenSampleAtEight();
    void sizeListRule();
    void styleButtonsInvert();
    void okFillsRecord();
    void cancelLeavesRecordAndPending();
};

void TestTextDialog::controlsAndTexts()
{
    AppState st = makeState();
    frmTextDialog dlg(st);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Insert Text"));
    QCOMPARE(dlg.OKButton()->text(), QStringLiteral("&OK"));
    QCOMPARE(dlg.CancelButton()->text(), QStringLiteral("&Cancel"));
    QCOMPARE(dlg.CmdBold()->text(), QStringLiteral("B"));
    QCOMPARE(dlg.CmdItalic()->text(), QStringLiteral("I"));
    QCOMPARE(dlg.CmdUnderLine()->text(), QStringLiteral("U"));
    QCOMPARE(dlg.CmdStrikeTr()->text(), QStringLiteral("S"));
    QVERIFY(dlg.isModal());
    // The size list: the 17 sizes in order.
    QStringList sizes;
    for (int i = 0; i < dlg.ComboSize()->count(); ++i)
        sizes << dlg.ComboSize()->itemText(i);
    QCOMPARE(sizes, QStringList({"4", "6", "8", "10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30",
                                 "36", "48", "72"}));
    // The font list: every family the system lists, in its order, the first one selected.
    const QStringList families = QFontDatabase::families();
    QCOMPARE(dlg.ComboFont()->count(), families.size());
    for (int i = 0; i < families.size(); ++i)
        QCOMPARE(dlg.ComboFont()->itemText(i), families.at(i));
    if (!families.isEmpty()) {
        QCOMPARE(dlg.ComboFont()->currentIndex(), 0);
        QCOMPARE(dlg.sampleFont().family(), families.first());
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

void TestTextDialog::loadShowsSizeTenSampleAtEight()
{
    AppState st = makeState();
    st.textDialogPending = false;
    frmTextDialog dlg(st);
    QCOMPARE(dlg.ComboSize()->currentIndex(), 3);
    QCOMPARE(dlg.ComboSize()->currentText(), QStringLiteral("10"));
    QCOMPARE(dlg.sampleFont().pointSize(), 8);
    QCOMPARE(dlg.Text1()->font().pointSize(), 8);
    QVERIFY(st.textDialogPending);
    // The record is not touched by opening the dialog.
    QCOMPARE(st.text.fontSize, std::int16_t(33));
    QCOMPARE(st.text.text, QStringLiteral("before"));
}

void TestTextDialog::sizeListRule()
{
    AppState st = makeState();
    frmTextDialog dlg(st);
    dlg.ComboSize()->setCurrentIndex(0);      // "4": the sample stays at 8
    QCOMPARE(dlg.sampleFont().pointSize(), 8);
    dlg.ComboSize()->setCurrentIndex(1);      // "6": likewise
    QCOMPARE(dlg.sampleFont().pointSize(), 8);
    dlg.ComboSize()->setCurrentIndex(2);      // "8" and larger take effect
    QCOMPARE(dlg.sampleFont().pointSize(), 8);
    dlg.ComboSize()->setCurrentIndex(16);
    QCOMPARE(dlg.sampleFont().pointSize(), 72);
    QCOMPARE(dlg.Text1()->font().pointSize(), 72);
    dlg.ComboSize()->setCurrentIndex(0);      // back to "4": still 72
    QCOMPARE(dlg.sampleFont().pointSize(), 72);
    dlg.ComboSize()->setCurrentIndex(4);
    QCOMPARE(dlg.sampleFont().pointSize(), 12);
}

void TestTextDialog::styleButtonsInvert()
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

void TestTextDialog::okFillsRecord()
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
    QVERIFY(st.text.italic);
    QVERIFY(st.text.strikethrough);
    QVERIFY(!st.text.bold);
    QVERIFY(!st.text.underline);
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
    QVERIFY(st.text.bold);
    QVERIFY(!st.text.italic);
    QVERIFY(st.text.text.isEmpty());
}

void TestTextDialog::cancelLeavesRecordAndPending()
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
    QVERIFY(!st.text.bold);
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

QTEST_MAIN(TestTextDialog)
#include "tst_textdialog.moc"
