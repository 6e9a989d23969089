// String table and window text loader: the table is complete and holds the program's texts
// word for word, and LoadResStrings puts them on every kind of control by its conventions.
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "tools/OrvSliderWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

using namespace orv;

namespace {

// Texts the program must keep word for word although they look wrong: typos, odd blanks, an
// escaped letter, the file names looked for beside the program.
const std::pair<int, const char *> QuotedTexts[] = {
    {1073, "&Standart Toolbar"},
    {1088, "Ellipse"},
    {1173, "The spe" "cified file cannot be idendified as a supported type"},
    {1180, "Are you sure to clear image ?"},
    {1214, "Foreground color (Double click to customize)"},
    {1216, "Choose drawing color. [Left button = Foreground color]  [Right button = Background color]"},
    {1235, "Equal Horizontal and Vertical "},
    {1236, "Paste image larger than destination image. Do you want expand the destination image ?"},
    {1240, "ORVIEENG.HLP"},
    {1241, "TODENG.TXT"},
};

QStringList fileDialogPatterns(QFileDialog &dialog, const QString &entry)
{
    dialog.selectNameFilter(entry);
    auto *model = dialog.findChild<QFileSystemModel *>();
    return model ? model->nameFilters() : QStringList{QStringLiteral("<no file system model>")};
}

} // namespace

class TstResStrings : public QObject {
    Q_OBJECT
private slots:
    void shippedTable()
    {
        QList<int> expected;
        for (int id = 1000; id <= 1249; ++id)
            expected.append(id);
        QCOMPARE(ResStringIds(), expected);
        for (int id = 1000; id <= 1249; ++id)
            QVERIFY2(HasResString(id) && !LoadResString(id).trimmed().isEmpty(), qPrintable(QString::number(id)));
        // Ids the program asks for although the table lacks them on purpose.
        for (int id : {20, 21, 999, 1250, 1257, 1259, 0, -1}) {
            QVERIFY2(!HasResString(id), qPrintable(QString::number(id)));
            QVERIFY(LoadResString(id).isNull());
        }
        for (const auto &[id, text] : QuotedTexts)
            QCOMPARE(LoadResString(id), QString::fromUtf8(text));

        QFile file(QStringLiteral(":/orv/strings.txt"));   // registered by the first look-up above
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList problems;
        const QHash<int, QString> parsed = ParseResStringTable(QString::fromUtf8(file.readAll()), &problems);
        QCOMPARE(problems, QStringList());
        QCOMPARE(parsed.size(), 250);
    }

    void fileDialogFilters()
    {
        // The filter texts work in the file dialog as they are: seven entries, each with its
        // patterns, the seventh (which Save As starts on) "All Files".
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilter(LoadResString(1172));
        const QStringList entries = dialog.nameFilters();
        const QList<QStringList> patterns = {
            {"*.bmp", "*.dib", "*.gif", "*.jpg", "*.wmf", "*.emp", "*.ico", "*.cur"},
            {"*.bmp", "*.dib"}, {"*.gif"}, {"*.jpg"}, {"*.wmf", "*.emp"}, {"*.ico", "*.cur"}, {"*"},
        };
        QCOMPARE(entries.size(), patterns.size());
        for (int i = 0; i < 7; ++i)
            QCOMPARE(fileDialogPatterns(dialog, entries.at(i)), patterns.at(i));
        QVERIFY(entries.at(6).startsWith(QStringLiteral("All Files")));

        QFileDialog palettes;
        palettes.setOption(QFileDialog::DontUseNativeDialog);
        palettes.setNameFilter(LoadResString(1176));
        QCOMPARE(palettes.nameFilters().size(), 1);
        QCOMPARE(fileDialogPatterns(palettes, palettes.nameFilters().first()), QStringList{"*.orvp"});
    }

    void parserFormat()
    {
        const QString text = QStringLiteral(
            "# a comment\r\n"
            "\n"
            "1000\t&File\r\n"
            "1001\tTwo\\nlines\\tand a \\\\ backslash\n"
            "1002\tends with a blank \n"
            "1003\t\n"
            "1000\tsecond File\n"
            "1004 no tab\n"
            "999\ttoo small\n"
            "1250\ttoo large\n"
            "10x5\tnot a number\n"
            "01005\tfive digits\n"
            "1006\tbad \\q escape, \\u00e9 is \\u00E9 but \\u00g9 and \\u12 are not\n"
            "1007\tlast line without a line break");
        QStringList problems;
        const QHash<int, QString> table = ParseResStringTable(text, &problems);

        QCOMPARE(table.value(1000), QStringLiteral("&File"));   // the first of two entries wins
        QCOMPARE(table.value(1001), QStringLiteral("Two\nlines\tand a \\ backslash"));
        QCOMPARE(table.value(1002), QStringLiteral("ends with a blank "));
        QVERIFY(table.contains(1003));
        QCOMPARE(table.value(1003), QString());
        QCOMPARE(table.value(1006), QString::fromUtf8("bad \\q escape, \u00e9 is \u00e9 but \\u00g9 and \\u12 are not"));
        QCOMPARE(table.value(1007), QStringLiteral("last line without a line break"));
        QCOMPARE(table.size(), 6);   // 1000 to 1003, 1006, 1007 and nothing of the broken lines
        QVERIFY(!table.contains(999));
        QVERIFY(!table.contains(1250));

        // One message per broken line, naming it.
        QCOMPARE(problems.size(), 7);
        const QStringList lineNumbers = {"line 7:", "line 8:", "line 9:", "line 10:", "line 11:",
                                         "line 12:", "line 13:"};
        for (int i = 0; i < lineNumbers.size(); ++i)
            QVERIFY2(problems.at(i).startsWith(lineNumbers.at(i)), qPrintable(problems.at(i)));

        // Without a problem list the same table comes out.
        QCOMPARE(ParseResStringTable(text), table);
    }

    void idConversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("id");
        // Halves go to the even neighbour; anything but one 16-bit number is no id.
        for (const auto &[text, id] : {std::pair{"1243", 1243}, {"  1142 ", 1142}, {"1144.4", 1144}, {"1144.5", 1144},
                                       {"1145.5", 1146}, {"32767", 32767}, {"0", 0}})
            QTest::newRow(text) << QString::fromLatin1(text) << true << id;
        for (const char *text : {"32768", "", "   ", "1144abc", "Register", "&File", "11 44"})
            QTest::newRow(text[0] ? text : "empty") << QString::fromLatin1(text) << false << 0;
    }

    void idConversions()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, id);
        int got = -12345;
        QCOMPARE(ResIdFromText(text, &got), ok);
        if (ok)
            QCOMPARE(got, id);
        else
            QCOMPARE(got, -12345);   // a failed conversion leaves the target alone
    }

    void leadingValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        for (const auto &[text, value] : {std::pair{"1144abc", 1144.0}, {"   1213", 1213.0}, {" 12 34x", 1234.0},
                                          {"3.5 apples", 3.5}, {"2.5e2x", 250.0}, {"12e", 12.0}, {"-7", -7.0},
                                          {"x12", 0.0}, {"", 0.0}, {"-", 0.0}, {"5-3", 5.0}})
            QTest::newRow(text[0] ? text : "empty") << QString::fromLatin1(text) << value;
    }

    void leadingValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(LeadingValue(text), value);
    }

    void formGetsItsTexts()
    {
        QWidget form;
        setTag(&form, QStringLiteral("1142"));
        auto *label = new QLabel(QStringLiteral("design label"), &form);
        setTag(label, QStringLiteral("1135"));
        setToolTipTag(label, QStringLiteral("1214"));
        auto *ok = new QPushButton(QStringLiteral("OK"), &form);
        setTag(ok, 1243);
        auto *frame = new QGroupBox(QStringLiteral("Frame2"), &form);
        setTag(frame, QStringLiteral("1143"));
        setToolTipTag(frame, QStringLiteral("1153"));
        auto *check = new QCheckBox(QStringLiteral("StartupImage"), frame);
        setTag(check, QStringLiteral("1144abc"));   // any other control: the leading number counts
        setToolTipTag(check, QStringLiteral("1154 more"));
        auto *option = new QRadioButton(QStringLiteral("Option3"), frame);
        setTag(option, QStringLiteral("1193"));
        auto *tool = new QToolButton(&form);
        setTag(tool, QStringLiteral("1230"));
        auto *slider = new OrvSlider(QStringLiteral("Zoom Factor"), 1, 20, &form);   // a caption of its own
        setTag(slider, QStringLiteral("1207"));
        setToolTipTag(slider, QStringLiteral("1209"));
        auto *edit = new QLineEdit(QStringLiteral("45"), &form);   // has a text, but no caption
        setTag(edit, QStringLiteral("1135"));
        setToolTipTag(edit, QStringLiteral("1228"));

        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);

        QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(label->text(), QStringLiteral("Width"));
        QCOMPARE(label->toolTip(), QStringLiteral("Foreground color (Double click to customize)"));
        QCOMPARE(ok->text(), QStringLiteral("&OK"));
        QCOMPARE(frame->title(), QStringLiteral("Startup"));
        QCOMPARE(frame->toolTip(), QStringLiteral("Save to exit"));
        QCOMPARE(check->text(), QStringLiteral("Auto-New Image on startup"));
        QCOMPARE(check->toolTip(), QStringLiteral("Save behavior options"));
        QCOMPARE(option->text(), QStringLiteral("1 Mirror"));
        QCOMPARE(tool->text(), QStringLiteral("&Free"));
        QCOMPARE(slider->caption(), QStringLiteral("Width"));
        QCOMPARE(slider->toolTip(), QStringLiteral("Density"));
        QCOMPARE(edit->text(), QStringLiteral("45"));
        QCOMPARE(edit->toolTip(), QStringLiteral("Degrees"));
        QCOMPARE(keepFonts, false);

        // Running it again changes nothing: the texts are no ids any more, the tags still are.
        LoadResStrings(&form, keepFonts);
        QCOMPARE(ok->text(), QStringLiteral("&OK"));
        QCOMPARE(check->text(), QStringLiteral("Auto-New Image on startup"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
    }

    void designTextsStayWithoutAnId()
    {
        QWidget form;
        form.setWindowTitle(QStringLiteral("Image1"));
        setTag(&form, QStringLiteral("UnRegister"));
        const QStringList tags = {"0", "", "1257", "1259", "abc", "1243x", "-1243", "70000", "999"};
        QList<QLabel *> labels;
        QList<QPushButton *> buttons;
        QList<QCheckBox *> checks;
        for (const QString &t : tags) {
            auto *label = new QLabel(QStringLiteral("label ") + t, &form);
            setTag(label, t);
            setToolTipTag(label, t);
            label->setToolTip(QStringLiteral("tip ") + t);
            labels.append(label);
            auto *button = new QPushButton(QStringLiteral("button ") + t, &form);
            setTag(button, t);
            buttons.append(button);
            auto *check = new QCheckBox(QStringLiteral("check ") + t, &form);
            setTag(check, t);
            setToolTipTag(check, t);
            checks.append(check);
        }
        auto *untagged = new QLabel(QStringLiteral("no tag at all"), &form);
        auto *zoom = new OrvSlider(QStringLiteral("Zoom Factor"), 1, 20, &form);
        setTag(zoom, QStringLiteral("1257"));

        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);

        QCOMPARE(form.windowTitle(), QStringLiteral("Image1"));
        for (int i = 0; i < tags.size(); ++i) {
            QCOMPARE(labels.at(i)->text(), QStringLiteral("label ") + tags.at(i));
            QCOMPARE(labels.at(i)->toolTip(), QStringLiteral("tip ") + tags.at(i));
            QCOMPARE(buttons.at(i)->text(), QStringLiteral("button ") + tags.at(i));
            // "1243x" has the leading value 1243, so only the check box takes a text for it.
            const QString checkText = tags.at(i) == QLatin1String("1243x")
                ? QStringLiteral("&OK") : QStringLiteral("check ") + tags.at(i);
            QCOMPARE(checks.at(i)->text(), checkText);
        }
        QCOMPARE(untagged->text(), QStringLiteral("no tag at all"));
        QCOMPARE(zoom->caption(), QStringLiteral("Zoom Factor"));
    }

    void menusToolbarsAndShortcuts()
    {
        QMainWindow form;
        QMenu *file = form.menuBar()->addMenu(QStringLiteral("1000"));
        QAction *open = file->addAction(QStringLiteral("1002"));
        QAction *mru = file->addAction(QStringLiteral("/home/user/picture.bmp"));
        setTag(mru, QStringLiteral("1243"));   // a menu item's Tag is data, never a text id
        QAction *brush = file->addAction(QStringLiteral("Define Brush"));

        // A menu without a parent, reached only through the menu bar.
        auto *edit = new QMenu(QStringLiteral("1013"));
        form.menuBar()->addMenu(edit);
        QAction *undo = edit->addAction(QStringLiteral("1015"));
        undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
        QMenu *shape = edit->addMenu(QStringLiteral("1085"));
        QAction *circle = shape->addAction(QStringLiteral("1086"));
        QMenu *programs = form.menuBar()->addMenu(QStringLiteral("Programs"));

        // The pop-up menu of the documents: a hidden menu of the window.
        auto *context = new QMenu(QStringLiteral("mnuPopup"), &form);
        QAction *move = context->addAction(QStringLiteral("1182"));

        QToolBar *toolbar = form.addToolBar(QStringLiteral("TbStd"));
        auto *newButton = new QAction(&form);
        newButton->setObjectName(QStringLiteral("New"));
        setToolTipTag(newButton, QStringLiteral("1036"));
        toolbar->addAction(newButton);
        toolbar->addAction(undo);   // shared with the Edit menu
        setToolTipTag(undo, QStringLiteral("1101"));
        auto *noId = toolbar->addAction(QStringLiteral("Font"));
        noId->setToolTip(QStringLiteral("design tip"));
        setToolTipTag(noId, QStringLiteral("1257"));

        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);

        QCOMPARE(file->title(), QStringLiteral("&File"));
        QCOMPARE(open->text(), QStringLiteral("&Open..."));
        QCOMPARE(mru->text(), QStringLiteral("/home/user/picture.bmp"));
        QCOMPARE(tag(mru), QStringLiteral("1243"));
        QCOMPARE(brush->text(), QStringLiteral("Define Brush"));
        QCOMPARE(edit->title(), QStringLiteral("&Edit"));
        QCOMPARE(undo->text(), QStringLiteral("&Undo"));
        QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(shape->title(), QStringLiteral("&Shape"));
        QCOMPARE(circle->text(), QStringLiteral("&Circle"));
        QCOMPARE(programs->title(), QStringLiteral("Programs"));
        QCOMPARE(context->title(), QStringLiteral("mnuPopup"));
        QCOMPARE(move->text(), QStringLiteral("&Move"));

        QCOMPARE(newButton->toolTip(), QStringLiteral("New"));
        QCOMPARE(newButton->text(), QStringLiteral("New"));
        QCOMPARE(toolbar->widgetForAction(newButton)->accessibleName(), QStringLiteral("New"));
        QCOMPARE(toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(undo->toolTip(), QStringLiteral("Undo"));   // the menu caption stays "&Undo"
        QCOMPARE(noId->toolTip(), QStringLiteral("design tip"));
        QCOMPARE(noId->text(), QStringLiteral("Font"));
    }

    void tabsAndColumnHeaders()
    {
        QWidget form;
        auto *tabs = new QTabWidget(&form);
        tabs->addTab(new QWidget, QStringLiteral("1139"));
        tabs->addTab(new QWidget, QStringLiteral("1140"));
        tabs->addTab(new QWidget, QStringLiteral("Page 3"));
        tabs->setTabToolTip(0, QStringLiteral("1154"));
        tabs->setTabToolTip(1, QStringLiteral("design tab tip"));
        setToolTipTag(tabs, QStringLiteral("1142"));
        tabs->setCurrentIndex(0);

        auto *strip = new QTabBar(&form);
        strip->addTab(QStringLiteral("tab A"));
        strip->addTab(QStringLiteral("tab B"));
        strip->addTab(QStringLiteral("tab C"));
        setTabTags(strip, {QStringLiteral("1074"), QStringLiteral("abc")});   // no entry for tab C
        setTabToolTipTags(strip, {QString(), QStringLiteral("1075"), QStringLiteral("1076")});

        auto *tree = new QTreeWidget(&form);
        tree->setColumnCount(3);
        tree->setHeaderLabels({QStringLiteral("c0"), QStringLiteral("c1"), QStringLiteral("c2")});
        setColumnTags(tree, {QStringLiteral("1135"), QStringLiteral("0"), QStringLiteral("1136")});

        auto *table = new QTableWidget(2, 2, &form);
        setColumnTags(table, {QStringLiteral("1228"), QStringLiteral("1229")});

        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);

        QCOMPARE(tabs->tabText(0), QStringLiteral("General"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Exit"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Page 3"));
        QCOMPARE(tabs->tabToolTip(0), QStringLiteral("Save behavior options"));
        QCOMPARE(tabs->tabToolTip(1), QStringLiteral("design tab tip"));
        QCOMPARE(tabs->toolTip(), QStringLiteral("Options"));
        QCOMPARE(tabs->currentIndex(), 2);   // each tab was selected in turn while its caption was set

        QCOMPARE(strip->tabText(0), QStringLiteral("Back"));
        QCOMPARE(strip->tabText(1), QStringLiteral("tab B"));
        QCOMPARE(strip->tabText(2), QStringLiteral("tab C"));
        QCOMPARE(strip->tabToolTip(0), QString());
        QCOMPARE(strip->tabToolTip(1), QStringLiteral("Forward"));
        QCOMPARE(strip->tabToolTip(2), QStringLiteral("Stop"));

        QCOMPARE(tree->headerItem()->text(0), QStringLiteral("Width"));
        QCOMPARE(tree->headerItem()->text(1), QStringLiteral("c1"));
        QCOMPARE(tree->headerItem()->text(2), QStringLiteral("Height"));
        QVERIFY(table->horizontalHeaderItem(0));
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Degrees"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Direction"));
    }

    void fonts()
    {
        const QFont formFont(QStringLiteral("Serif"), 17);
        const QFont ownFont(QStringLiteral("Monospace"), 9, QFont::Bold);

        auto build = [&](QWidget &form, QList<QWidget *> &controls) {
            form.setFont(formFont);
            auto *label = new QLabel(QStringLiteral("label"), &form);
            auto *sample = new QLineEdit(QStringLiteral("sample"), &form);
            sample->setFont(ownFont);
            auto *frame = new QGroupBox(&form);
            auto *inner = new QPushButton(QStringLiteral("B"), frame);
            QFont bold = formFont;
            bold.setBold(true);
            inner->setFont(bold);
            auto *tabs = new QTabWidget(&form);
            tabs->addTab(new QCheckBox(QStringLiteral("page")), QStringLiteral("1139"));
            controls = {label, sample, frame, inner, tabs};
        };

        {
            QWidget form;
            QList<QWidget *> controls;
            build(form, controls);
            bool keepFonts = false;
            LoadResStrings(&form, keepFonts);
            QCOMPARE(form.font(), formFont);
            for (QWidget *control : std::as_const(controls))
                QCOMPARE(control->font(), formFont);
            for (QWidget *descendant : form.findChildren<QWidget *>())
                QCOMPARE(descendant->font(), formFont);
        }
        {
            QWidget form;
            QList<QWidget *> controls;
            build(form, controls);
            QList<QFont> before;
            const QList<QWidget *> all = form.findChildren<QWidget *>();
            for (QWidget *w : all)
                before.append(w->font());
            bool keepFonts = true;
            LoadResStrings(&form, keepFonts);
            QCOMPARE(keepFonts, true);
            QCOMPARE(form.font(), formFont);
            for (int i = 0; i < all.size(); ++i)
                QCOMPARE(all.at(i)->font(), before.at(i));
            QCOMPARE(controls.at(1)->font(), ownFont);
            // The texts are put on all the same.
            QCOMPARE(form.findChild<QTabWidget *>()->tabText(0), QStringLiteral("General"));
        }
    }

    void otherWindowsAreLeftAlone()
    {
        QMainWindow form;
        auto *workspace = new QMdiArea(&form);
        form.setCentralWidget(workspace);
        auto *document = new QWidget;
        auto *docLabel = new QLabel(QStringLiteral("document label"), document);
        setTag(docLabel, QStringLiteral("1168"));
        QMdiSubWindow *sub = workspace->addSubWindow(document);
        sub->setWindowTitle(QStringLiteral("Image1"));
        setTag(sub, QStringLiteral("1168"));

        auto *dialog = new QDialog(&form);
        auto *dlgButton = new QPushButton(QStringLiteral("Cancel"), dialog);
        setTag(dlgButton, QStringLiteral("1244"));

        auto *panel = new QLabel(QStringLiteral("LblToolBox"), &form);
        setTag(panel, QStringLiteral("1213"));

        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);

        QCOMPARE(panel->text(), QStringLiteral("Colors"));
        QCOMPARE(docLabel->text(), QStringLiteral("document label"));
        QCOMPARE(sub->windowTitle(), QStringLiteral("Image1"));
        QCOMPARE(dlgButton->text(), QStringLiteral("Cancel"));

        LoadResStrings(dialog, keepFonts);
        QCOMPARE(dlgButton->text(), QStringLiteral("&Cancel"));
    }
};

QTEST_MAIN(TstResStrings)
#include "tst_resstrings.moc"
