// The string table, complete and word for word, and LoadResStrings putting it on every kind of control.
#include "testsupport.h"
#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "tools/OrvSliderWidget.h"

using namespace orv;

namespace {

// Texts kept word for word although they look wrong: typos, odd blanks, the file names looked for beside the program.
const std::pair<int, const char *> QuotedTexts[] = {
    {1073, "&Standart Toolbar"}, {1088, "Ellipse"}, {1173, "The spe" "cified file cannot be idendified as a supported type"},
    {1180, "Are you sure to clear image ?"}, {1214, "Foreground color (Double click to customize)"},
    {1216, "Choose drawing color. [Left button = Foreground color]  [Right button = Background color]"},
    {1235, "Equal Horizontal and Vertical "}, {1240, "ORVIEENG.HLP"}, {1241, "TODENG.TXT"},
    {1236, "Paste image larger than destination image. Do you want expand the destination image ?"}};

// What the file dialog makes of a filter text: its entries' names, then the patterns of each.
QList<QStringList> filtersIn(const QString &filter)
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(filter);
    QList<QStringList> out{dialog.nameFilters()};
    for (const QString &entry : dialog.nameFilters()) {
        dialog.selectNameFilter(entry);
        auto *model = dialog.findChild<QFileSystemModel *>();
        out << (model ? model->nameFilters() : QStringList{QStringLiteral("<no file system model>")});
    }
    return out;
}

// `object` with the text id `id` in its Tag and `tip` in its tool tip's (none when null).
template<typename T>
T *tagged(T *object, const QString &id, const QString &tip = {})
{
    if (!id.isNull())
        setTag(object, id);
    if (!tip.isNull())
        setToolTipTag(object, tip);
    return object;
}

QStringList tabTexts(const QTabBar *bar, bool tips = false)
{
    QStringList out;
    for (int i = 0; i < bar->count(); ++i)
        out << (tips ? bar->tabToolTip(i) : bar->tabText(i));
    return out;
}

} // namespace

class TstResStrings : public QObject {
    Q_OBJECT
private slots:
    void shippedTable()
    {
        QList<int> expected;
        for (int id = 1000; id <= 1249; ++id) {
            expected.append(id);
            QVERIFY2(HasResString(id) && !LoadResString(id).trimmed().isEmpty(), qPrintable(QString::number(id)));
        }
        QCOMPARE(ResStringIds(), expected);
        // Ids the program asks for although the table lacks them on purpose.
        for (int id : {20, 21, 999, 1250, 1257, 1259, 0, -1})
            QVERIFY2(!HasResString(id) && LoadResString(id).isNull(), qPrintable(QString::number(id)));
        for (const auto &[id, text] : QuotedTexts)
            QCOMPARE(LoadResString(id), QString::fromUtf8(text));
        QStringList problems;   // the resource is registered by the first look-up above
        ParseResStringTable(QString::fromUtf8(orvtest::readFile(QStringLiteral(":/orv/strings.txt"))), &problems);
        QCOMPARE(problems, QStringList());
    }

    void fileDialogFilters()
    {
        // The filter texts work in the file dialog as they are; the seventh entry (Save As starts on it) is "All Files".
        QList<QStringList> got = filtersIn(LoadResString(1172));
        QVERIFY(got.first().size() == 7 && got.first().at(6).startsWith(QStringLiteral("All Files")));
        QCOMPARE(got.mid(1), (QList<QStringList>{{"*.bmp", "*.dib", "*.gif", "*.jpg", "*.wmf", "*.emp", "*.ico", "*.cur"},
                                                 {"*.bmp", "*.dib"}, {"*.gif"}, {"*.jpg"}, {"*.wmf", "*.emp"}, {"*.ico", "*.cur"}, {"*"}}));
        got = filtersIn(LoadResString(1176));
        QVERIFY(got.first().size() == 1);
        QCOMPARE(got.mid(1), QList<QStringList>{{"*.orvp"}});
    }

    void parserFormat()
    {
        const QString text = QStringLiteral(
            "# a comment\r\n\n1000\t&File\r\n1001\tTwo\\nlines\\tand a \\\\ backslash\n1002\tends with a blank \n1003\t\n"
            "1000\tsecond File\n1004 no tab\n999\ttoo small\n1250\ttoo large\n10x5\tnot a number\n01005\tfive digits\n"
            "1006\tbad \\q escape, \\u00e9 is \\u00E9 but \\u00g9 and \\u12 are not\n1007\tlast line without a line break");
        QStringList problems;
        const QHash<int, QString> table = ParseResStringTable(text, &problems);

        QCOMPARE(table.value(1000), QStringLiteral("&File"));   // the first of two entries wins
        QCOMPARE(table.value(1001), QStringLiteral("Two\nlines\tand a \\ backslash"));
        QCOMPARE(table.value(1002), QStringLiteral("ends with a blank "));
        QVERIFY(table.contains(1003) && table.value(1003).isEmpty());
        QCOMPARE(table.value(1006), QString::fromUtf8("bad \\q escape, \u00e9 is \u00e9 but \\u00g9 and \\u12 are not"));
        QCOMPARE(table.value(1007), QStringLiteral("last line without a line break"));
        QCOMPARE(table.size(), 6);   // 1000 to 1003, 1006, 1007 and nothing of the broken lines
        // One message per broken line (7 to 13), naming it.
        QCOMPARE(problems.size(), 7);
        for (int i = 0; i < 7; ++i)
            QVERIFY2(problems.at(i).startsWith(QStringLiteral("line %1:").arg(i + 7)), qPrintable(problems.at(i)));
        // Without a problem list the same table comes out.
        QCOMPARE(ParseResStringTable(text), table);
    }

    void idConversionsAndLeadingValue()
    {
        // Halves go to even; anything but one 16-bit number is no id, and a failed conversion leaves the target alone.
        for (const auto &[text, id] : {std::pair{"1243", 1243}, {"  1142 ", 1142}, {"1144.4", 1144}, {"1144.5", 1144},
                                       {"1145.5", 1146}, {"32767", 32767}, {"0", 0}, {"32768", -1}, {"", -1},
                                       {"   ", -1}, {"1144abc", -1}, {"Register", -1}, {"&File", -1}, {"11 44", -1}}) {
            int got = -1;
            QVERIFY2(ResIdFromText(QString::fromLatin1(text), &got) == (id >= 0), text);
            QCOMPARE(got, id);
        }
        for (const auto &[text, value] : {std::pair{"1144abc", 1144.0}, {"   1213", 1213.0}, {" 12 34x", 1234.0},
                                          {"3.5 apples", 3.5}, {"2.5e2x", 250.0}, {"12e", 12.0}, {"-7", -7.0},
                                          {"x12", 0.0}, {"", 0.0}, {"-", 0.0}, {"5-3", 5.0}})
            QCOMPARE(LeadingValue(QString::fromLatin1(text)), value);
    }

    void formGetsItsTexts()
    {
        QWidget form;
        setTag(&form, QStringLiteral("1142"));
        auto *label = tagged(new QLabel(QStringLiteral("design label"), &form), "1135", "1214");
        auto *ok = new QPushButton(QStringLiteral("OK"), &form);
        setTag(ok, 1243);
        auto *frame = tagged(new QGroupBox(QStringLiteral("Frame2"), &form), "1143", "1153");
        // Any other control: the leading number counts.
        auto *check = tagged(new QCheckBox(QStringLiteral("StartupImage"), frame), "1144abc", "1154 more");
        auto *option = tagged(new QRadioButton(QStringLiteral("Option3"), frame), "1193");
        auto *tool = tagged(new QToolButton(&form), "1230");
        auto *slider = tagged(new OrvSlider(QStringLiteral("Zoom Factor"), 1, 20, &form), "1207", "1209");   // a caption of its own
        auto *edit = tagged(new QLineEdit(QStringLiteral("45"), &form), "1135", "1228");   // a text, but no caption
        const auto texts = [&] {
            return QStringList{form.windowTitle(), label->text(), label->toolTip(), ok->text(), frame->title(),
                               frame->toolTip(), check->text(), check->toolTip(), option->text(), tool->text(),
                               slider->caption(), slider->toolTip(), edit->text(), edit->toolTip()};
        };
        // Tabs and column headers: a text and a tip per tab, a text per column.
        auto *tabs = tagged(new QTabWidget(&form), {}, "1142");
        for (const char *caption : {"1139", "1140", "Page 3"})
            tabs->addTab(new QWidget, QLatin1String(caption));
        tabs->setTabToolTip(0, QStringLiteral("1154"));
        tabs->setTabToolTip(1, QStringLiteral("design tab tip"));
        tabs->setCurrentIndex(0);
        auto *strip = new QTabBar(&form);
        for (const char *caption : {"tab A", "tab B", "tab C"})
            strip->addTab(QLatin1String(caption));
        setTabTags(strip, {QStringLiteral("1074"), QStringLiteral("abc")});   // no entry for tab C
        setTabToolTipTags(strip, {QString(), QStringLiteral("1075"), QStringLiteral("1076")});
        auto *tree = new QTreeWidget(&form);
        tree->setHeaderLabels({QStringLiteral("c0"), QStringLiteral("c1"), QStringLiteral("c2")});
        setColumnTags(tree, {QStringLiteral("1135"), QStringLiteral("0"), QStringLiteral("1136")});
        auto *table = new QTableWidget(2, 2, &form);
        setColumnTags(table, {QStringLiteral("1228"), QStringLiteral("1229")});

        const QStringList expected{"Options", "Width", "Foreground color (Double click to customize)", "&OK", "Startup",
                                   "Save to exit", "Auto-New Image on startup", "Save behavior options", "1 Mirror", "&Free",
                                   "Width", "Density", "45", "Degrees"};
        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);
        QCOMPARE(texts(), expected);
        QCOMPARE(keepFonts, false);
        // Running it again changes nothing: the texts are no ids any more, the tags still are.
        LoadResStrings(&form, keepFonts);
        QCOMPARE(texts(), expected);
        QCOMPARE(tabTexts(tabs->tabBar()), (QStringList{"General", "Exit", "Page 3"}));
        QCOMPARE(tabTexts(tabs->tabBar(), true).mid(0, 2), (QStringList{"Save behavior options", "design tab tip"}));
        QCOMPARE(tabs->toolTip(), QStringLiteral("Options"));
        QCOMPARE(tabs->currentIndex(), 2);   // each tab was selected in turn while its caption was set
        QCOMPARE(tabTexts(strip), (QStringList{"Back", "tab B", "tab C"}));
        QCOMPARE(tabTexts(strip, true), (QStringList{"", "Forward", "Stop"}));
        const QTreeWidgetItem *header = tree->headerItem();
        QCOMPARE((QStringList{header->text(0), header->text(1), header->text(2)}), (QStringList{"Width", "c1", "Height"}));
        QVERIFY(table->horizontalHeaderItem(0) && table->horizontalHeaderItem(1));
        QCOMPARE(table->horizontalHeaderItem(0)->text() + QLatin1Char('|') + table->horizontalHeaderItem(1)->text(),
                 QStringLiteral("Degrees|Direction"));
    }

    void designTextsStayWithoutAnId()
    {
        QWidget form;
        form.setWindowTitle(QStringLiteral("Image1"));
        setTag(&form, QStringLiteral("UnRegister"));
        const QStringList tags = {"0", "", "1257", "1259", "abc", "1243x", "-1243", "70000", "999"};
        QList<std::tuple<QLabel *, QPushButton *, QCheckBox *>> controls;
        for (const QString &t : tags) {
            controls.append({tagged(new QLabel(QStringLiteral("label ") + t, &form), t, t),
                             tagged(new QPushButton(QStringLiteral("button ") + t, &form), t),
                             tagged(new QCheckBox(QStringLiteral("check ") + t, &form), t, t)});
            std::get<0>(controls.last())->setToolTip(QStringLiteral("tip ") + t);
        }
        auto *untagged = new QLabel(QStringLiteral("no tag at all"), &form);
        auto *zoom = tagged(new OrvSlider(QStringLiteral("Zoom Factor"), 1, 20, &form), "1257");
        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);

        QCOMPARE(form.windowTitle(), QStringLiteral("Image1"));
        for (int i = 0; i < tags.size(); ++i) {
            const auto [label, button, check] = controls.at(i);
            // "1243x" has the leading value 1243, so only the check box takes a text for it.
            const QString checkText = tags.at(i) == QLatin1String("1243x") ? QStringLiteral("&OK") : QStringLiteral("check ") + tags.at(i);
            QCOMPARE((QStringList{label->text(), label->toolTip(), button->text(), check->text()}),
                     (QStringList{"label " + tags.at(i), "tip " + tags.at(i), "button " + tags.at(i), checkText}));
        }
        QCOMPARE(untagged->text(), QStringLiteral("no tag at all"));
        QCOMPARE(zoom->caption(), QStringLiteral("Zoom Factor"));
    }

    void mainWindowMenusToolbarsAndOtherWindows()
    {
        QMainWindow form;
        QMenu *file = form.menuBar()->addMenu(QStringLiteral("1000"));
        QAction *open = file->addAction(QStringLiteral("1002"));
        // A menu item's Tag is data, never a text id.
        QAction *mru = tagged(file->addAction(QStringLiteral("/home/user/picture.bmp")), "1243");
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
        auto *newButton = tagged(new QAction(&form), {}, "1036");
        newButton->setObjectName(QStringLiteral("New"));
        toolbar->addAction(newButton);
        toolbar->addAction(tagged(undo, {}, "1101"));   // shared with the Edit menu
        auto *noId = tagged(toolbar->addAction(QStringLiteral("Font")), {}, "1257");
        noId->setToolTip(QStringLiteral("design tip"));
        // The documents and dialogs in it are windows of their own, left alone.
        auto *workspace = new QMdiArea(&form);
        form.setCentralWidget(workspace);
        auto *document = new QWidget;
        auto *docLabel = tagged(new QLabel(QStringLiteral("document label"), document), "1168");
        QMdiSubWindow *sub = tagged(workspace->addSubWindow(document), "1168");
        sub->setWindowTitle(QStringLiteral("Image1"));
        auto *dialog = new QDialog(&form);
        auto *dlgButton = tagged(new QPushButton(QStringLiteral("Cancel"), dialog), "1244");
        auto *panel = tagged(new QLabel(QStringLiteral("LblToolBox"), &form), "1213");

        bool keepFonts = false;
        LoadResStrings(&form, keepFonts);
        QCOMPARE((QStringList{file->title(), open->text(), mru->text(), tag(mru), brush->text(), edit->title(), undo->text(),
                              shape->title(), circle->text(), programs->title(), context->title(), move->text()}),
                 (QStringList{"&File", "&Open...", "/home/user/picture.bmp", "1243", "Define Brush", "&Edit", "&Undo",
                              "&Shape", "&Circle", "Programs", "mnuPopup", "&Move"}));
        QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE((QStringList{newButton->toolTip(), newButton->text(), toolbar->widgetForAction(newButton)->accessibleName()}),
                 (QStringList{"New", "New", "New"}));
        QCOMPARE(toolbar->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(undo->toolTip(), QStringLiteral("Undo"));   // the menu caption stays "&Undo"
        QCOMPARE(noId->toolTip() + QLatin1Char('|') + noId->text(), QStringLiteral("design tip|Font"));
        QCOMPARE((QStringList{panel->text(), docLabel->text(), sub->windowTitle(), dlgButton->text()}),
                 (QStringList{"Colors", "document label", "Image1", "Cancel"}));
        LoadResStrings(dialog, keepFonts);
        QCOMPARE(dlgButton->text(), QStringLiteral("&Cancel"));
    }

    void fonts()
    {
        const QFont formFont(QStringLiteral("Serif"), 17);
        const QFont ownFont(QStringLiteral("Monospace"), 9, QFont::Bold);
        for (const bool keep : {false, true}) {
            QWidget form;
            form.setFont(formFont);
            new QLabel(QStringLiteral("label"), &form);
            (new QLineEdit(QStringLiteral("sample"), &form))->setFont(ownFont);
            QFont bold = formFont;
            bold.setBold(true);
            (new QPushButton(QStringLiteral("B"), new QGroupBox(&form)))->setFont(bold);
            auto *tabs = new QTabWidget(&form);
            tabs->addTab(new QCheckBox(QStringLiteral("page")), QStringLiteral("1139"));
            const QList<QWidget *> all = form.findChildren<QWidget *>();
            QList<QFont> before;
            for (QWidget *w : all)
                before << w->font();
            // Without the keep flag every control takes the form's font; with it, each keeps its own.
            bool keepFonts = keep;
            LoadResStrings(&form, keepFonts);
            QCOMPARE(keepFonts, keep);
            QCOMPARE(form.font(), formFont);
            for (int i = 0; i < all.size(); ++i)
                QCOMPARE(all.at(i)->font(), keep ? before.at(i) : formFont);
            QVERIFY(!keep || before.contains(ownFont));
            QCOMPARE(tabs->tabText(0), QStringLiteral("General"));   // the texts are put on all the same
        }
    }
};

QTEST_MAIN(TstResStrings)
#include "tst_resstrings.moc"
