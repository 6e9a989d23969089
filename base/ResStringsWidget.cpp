#include "base/ResStringsWidget.h"

#include "base/ResStrings.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaProperty>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeView>

#include <cmath>
#include <limits>

namespace orv {

namespace {

// The text of a string id held as a whole number in `design` (a Tag, a menu caption, a tab
// caption); false when it is no id or the table lacks it.
bool textForId(const QString &design, QString *text)
{
    int id = 0;
    if (!ResIdFromText(design, &id) || !HasResString(id))
        return false;
    *text = LoadResString(id);
    return true;
}

// The text of the string id that is the leading numeric value of `design`, used for the Tag
// and tool tip of "any other" control; false when that value is not above 0 or no such id.
bool textForLeadingValue(const QString &design, QString *text)
{
    const double value = LeadingValue(design);
    if (!(value > 0) || value > double(std::numeric_limits<int>::max()))
        return false;
    const int id = int(std::nearbyint(value));
    if (!HasResString(id))
        return false;
    *text = LoadResString(id);
    return true;
}

QString stringProperty(const QObject *object, const char *name)
{
    return object->property(name).toString();
}

QStringList listProperty(const QObject *object, const char *name)
{
    return object->property(name).toStringList();
}

// A widget that is a window of its own and is therefore not a control of this one. Menus,
// dock windows and toolbars are windows only while they pop up or float.
bool isOtherWindow(const QWidget *widget)
{
    if (qobject_cast<const QMdiSubWindow *>(widget))
        return true;
    if (!widget->isWindow())
        return false;
    return !qobject_cast<const QMenu *>(widget) && !qobject_cast<const QDockWidget *>(widget)
        && !qobject_cast<const QToolBar *>(widget);
}

bool isMenuItem(const QAction *action)
{
    const QList<QObject *> owners = action->associatedObjects();
    for (const QObject *owner : owners) {
        if (qobject_cast<const QMenu *>(owner) || qobject_cast<const QMenuBar *>(owner))
            return true;
    }
    return false;
}

bool isToolbarButton(const QAction *action)
{
    const QList<QObject *> owners = action->associatedObjects();
    for (const QObject *owner : owners) {
        if (qobject_cast<const QToolBar *>(owner))
            return true;
    }
    return false;
}

// The controls of a window in creation order: descendant widgets and actions, the items of
// its menus and toolbars and the menus those items open, each once.
class ControlCollector {
public:
    explicit ControlCollector(QWidget *form) : m_form(form) { m_seen.insert(form); }

    QList<QObject *> collect()
    {
        visitChildren(m_form);
        visitActions(m_form);
        return m_controls;
    }

private:
    void visit(QObject *object)
    {
        if (m_seen.contains(object))
            return;
        if (auto *widget = qobject_cast<QWidget *>(object); widget && isOtherWindow(widget))
            return;
        m_seen.insert(object);
        if (qobject_cast<QWidget *>(object) || qobject_cast<QAction *>(object))
            m_controls.append(object);
        visitChildren(object);
        if (auto *widget = qobject_cast<QWidget *>(object))
            visitActions(widget);
        if (auto *action = qobject_cast<QAction *>(object)) {
            if (QMenu *menu = action->menu<QMenu *>())
                visit(menu);
        }
    }

    void visitChildren(QObject *object)
    {
        const QObjectList children = object->children();
        for (QObject *child : children)
            visit(child);
    }

    void visitActions(QWidget *widget)
    {
        const QList<QAction *> actions = widget->actions();
        for (QAction *action : actions)
            visit(action);
    }

    QWidget *m_form;
    QSet<QObject *> m_seen;
    QList<QObject *> m_controls;
};

// Caption and tool tip of a label, push button or frame: both ids are whole numbers.
void applyNamedCaption(QWidget *control)
{
    QString text;
    if (textForId(stringProperty(control, TagProperty), &text)) {
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setText(text);
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->setText(text);
        else if (auto *frame = qobject_cast<QGroupBox *>(control))
            frame->setTitle(text);
    }
    if (textForId(stringProperty(control, ToolTipTextProperty), &text))
        control->setToolTip(text);
}

void applyMenu(QMenu *menu)
{
    QString text;
    if (textForId(menu->title(), &text))
        menu->setTitle(text);
}

void applyMenuItem(QAction *action)
{
    QString text;
    if (textForId(action->text(), &text))
        action->setText(text);
}

// The tabs of a tab control carry their ids in their captions; each tab is selected while its
// texts are set.
void applyTabWidget(QTabWidget *tabs)
{
    QString text;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        if (textForId(tabs->tabText(i), &text))
            tabs->setTabText(i, text);
        if (textForId(tabs->tabToolTip(i), &text))
            tabs->setTabToolTip(i, text);
    }
    if (textForId(stringProperty(tabs, ToolTipTextProperty), &text))
        tabs->setToolTip(text);
}

// A stand-alone tab bar carries the ids of its tabs in list properties, one entry per tab.
void applyTabBar(QTabBar *bar)
{
    const QStringList tags = listProperty(bar, TabTagsProperty);
    const QStringList tips = listProperty(bar, TabToolTipTextsProperty);
    QString text;
    for (int i = 0; i < bar->count(); ++i) {
        if (i < tags.size() && textForId(tags.at(i), &text))
            bar->setTabText(i, text);
        if (i < tips.size() && textForId(tips.at(i), &text))
            bar->setTabToolTip(i, text);
    }
}

void applyToolBar(QToolBar *toolbar)
{
    const QList<QAction *> actions = toolbar->actions();
    QString text;
    for (QAction *action : actions) {
        if (!textForId(stringProperty(action, ToolTipTextProperty), &text))
            continue;
        if (action->text().isEmpty())
            action->setText(text);
        action->setToolTip(text);
        if (QWidget *button = toolbar->widgetForAction(action))
            button->setAccessibleName(text);
    }
}

// Column headers of a tree or table view, from the view's list of column ids.
void applyColumnHeaders(QAbstractItemView *view)
{
    QAbstractItemModel *model = view->model();
    if (!model)
        return;
    const QStringList tags = listProperty(view, ColumnTagsProperty);
    QString text;
    auto *tableWidget = qobject_cast<QTableWidget *>(view);
    for (int column = 0; column < tags.size() && column < model->columnCount(); ++column) {
        if (!textForId(tags.at(column), &text))
            continue;
        // A table widget keeps header texts only in header items, which it may not have yet.
        if (tableWidget && !tableWidget->horizontalHeaderItem(column))
            tableWidget->setHorizontalHeaderItem(column, new QTableWidgetItem(text));
        else
            model->setHeaderData(column, Qt::Horizontal, text, Qt::DisplayRole);
    }
}

// The caption of a control that is none of the named kinds; false when it has none.
bool setCaption(QObject *control, const QString &text)
{
    const QMetaObject *meta = control->metaObject();
    const int index = meta->indexOfProperty("caption");
    if (index >= 0 && meta->property(index).isWritable())
        return control->setProperty("caption", text);
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        button->setText(text);
        return true;
    }
    if (auto *dock = qobject_cast<QDockWidget *>(control)) {
        dock->setWindowTitle(text);
        return true;
    }
    if (auto *action = qobject_cast<QAction *>(control)) {
        action->setText(text);
        return true;
    }
    return false;
}

void applyOther(QObject *control)
{
    QString text;
    if (textForLeadingValue(stringProperty(control, TagProperty), &text))
        setCaption(control, text);
    if (textForLeadingValue(stringProperty(control, ToolTipTextProperty), &text)) {
        if (auto *widget = qobject_cast<QWidget *>(control))
            widget->setToolTip(text);
        else if (auto *action = qobject_cast<QAction *>(control))
            action->setToolTip(text);
    }
}

void applyControl(QObject *control)
{
    if (auto *action = qobject_cast<QAction *>(control)) {
        if (isMenuItem(action))
            applyMenuItem(action);
        else if (!isToolbarButton(action))   // toolbar buttons are done by their toolbar
            applyOther(action);
        return;
    }
    auto *widget = qobject_cast<QWidget *>(control);
    if (!widget)
        return;
    if (qobject_cast<QLabel *>(widget) || qobject_cast<QPushButton *>(widget)
        || qobject_cast<QGroupBox *>(widget))
        applyNamedCaption(widget);
    else if (auto *menu = qobject_cast<QMenu *>(widget))
        applyMenu(menu);
    else if (qobject_cast<QMenuBar *>(widget))
        return;   // its menus and items are controls of their own
    else if (auto *tabs = qobject_cast<QTabWidget *>(widget))
        applyTabWidget(tabs);
    else if (auto *bar = qobject_cast<QTabBar *>(widget))
        applyTabBar(bar);
    else if (auto *toolbar = qobject_cast<QToolBar *>(widget))
        applyToolBar(toolbar);
    else if (qobject_cast<QTreeView *>(widget) || qobject_cast<QTableView *>(widget))
        applyColumnHeaders(static_cast<QAbstractItemView *>(widget));
    else
        applyOther(widget);
}

} // namespace

void LoadResStrings(QWidget *frm, bool &keepFonts)
{
    if (!frm)
        return;

    if (!keepFonts) {
        // The window's font name and size are strings 20 and 21; the table has neither, so
        // the window keeps its font unless such entries are ever added.
        QFont font = frm->font();
        bool changed = false;
        if (HasResString(20)) {
            font.setFamily(LoadResString(20));
            changed = true;
        }
        int size = 0;
        if (HasResString(21) && ResIdFromText(LoadResString(21), &size) && size > 0) {
            font.setPointSize(size);
            changed = true;
        }
        if (changed)
            frm->setFont(font);
    }

    QString title;
    if (textForId(stringProperty(frm, TagProperty), &title))
        frm->setWindowTitle(title);

    const QList<QObject *> controls = ControlCollector(frm).collect();
    for (QObject *control : controls) {
        if (!keepFonts) {
            auto *widget = qobject_cast<QWidget *>(control);
            if (widget && !qobject_cast<QMenu *>(widget) && !qobject_cast<QMenuBar *>(widget))
                widget->setFont(frm->font());
        }
        applyControl(control);
    }
}

void setTag(QObject *object, const QString &tag)
{
    if (object)
        object->setProperty(TagProperty, tag);
}

void setTag(QObject *object, int id)
{
    setTag(object, QString::number(id));
}

QString tag(const QObject *object)
{
    return object ? stringProperty(object, TagProperty) : QString();
}

void setToolTipTag(QObject *object, const QString &tag)
{
    if (object)
        object->setProperty(ToolTipTextProperty, tag);
}

void setToolTipTag(QObject *object, int id)
{
    setToolTipTag(object, QString::number(id));
}

void setTabTags(QTabBar *bar, const QStringList &tags)
{
    if (bar)
        bar->setProperty(TabTagsProperty, tags);
}

void setTabToolTipTags(QTabBar *bar, const QStringList &tags)
{
    if (bar)
        bar->setProperty(TabToolTipTextsProperty, tags);
}

void setColumnTags(QAbstractItemView *view, const QStringList &tags)
{
    if (view)
        view->setProperty(ColumnTagsProperty, tags);
}

} // namespace orv
