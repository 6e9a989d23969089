// The main window's colour box: customising cells and swatches with the colour dialog, loading
// and saving palette files, and docking the box left or right by dragging its title.
#include "app/frmMain.h"

#include "base/ResStrings.h"
#include "tools/ColourBoxWidget.h"
#include "tools/Palette.h"

#include <QAction>
#include <QColorDialog>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QMouseEvent>
#include <QRubberBand>
#include <QStandardPaths>

namespace orv {

namespace {

const QString PaletteSuffix = QStringLiteral("orvp");

// A name typed without an extension gets ".orvp"; a name with an extension of its own keeps it.
QString withPaletteSuffix(const QString &path)
{
    if (path.endsWith(QLatin1Char('.')))
        return path + PaletteSuffix;
    if (QFileInfo(path).suffix().isEmpty())
        return path + QLatin1Char('.') + PaletteSuffix;
    return path;
}

// The palette file the user picks in `folder` (through `hook` when a test set one): to save into
// when `save`, else to load; empty when cancelled. The window title is the menu text `titleId`.
QString askPaletteFile(QWidget *parent, const std::function<QString(const QString &, const QString &)> &hook,
                       int titleId, const QString &folder, bool save)
{
    const QString filter = LoadResString(1176);
    if (hook)
        return hook(folder, filter);
    QFileDialog dialog(parent, LoadResString(titleId).remove(QLatin1Char('&')), folder, filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(PaletteSuffix);
    dialog.selectNameFilter(filter);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

// Pressing the colour box's title starts a drag: an outline of the box follows the pointer, and
// the release drops the box at the pointer's position in the main window.
class TitleDrag : public QObject {
public:
    TitleDrag(frmMain *main, QWidget *title) : QObject(title), m_main(main)
    {
        title->installEventFilter(this);
        title->setCursor(Qt::SizeAllCursor);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *e = static_cast<QMouseEvent *>(event);
            if (e->button() == Qt::LeftButton)
                begin(e->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseMove:
            if (m_band)
                follow(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonRelease: {
            auto *e = static_cast<QMouseEvent *>(event);
            if (m_band && e->button() == Qt::LeftButton) {
                m_band->hide();
                delete m_band.data();
                const QPoint drop = m_main->mapFromGlobal(e->globalPosition().toPoint());
                m_main->dockColourBoxAt(drop.x());
            }
            return true;
        }
        case QEvent::MouseButtonDblClick:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    void begin(QPoint global)
    {
        QWidget *box = m_main->Property1();
        const QRect frame(m_main->mapFromGlobal(box->mapToGlobal(QPoint(0, 0))), box->size());
        m_grab = m_main->mapFromGlobal(global) - frame.topLeft();
        if (!m_band)
            m_band = new QRubberBand(QRubberBand::Rectangle, m_main);
        m_band->setGeometry(frame);
        m_band->show();
    }

    void follow(QPoint global)
    {
        m_band->move(m_main->mapFromGlobal(global) - m_grab);
    }

    frmMain *m_main;
    QPointer<QRubberBand> m_band;
    QPoint m_grab;
};

} // namespace

void frmMain::connectColourBox()
{
    connect(m_colourBox, &ColourBoxWidget::cellDoubleClicked, this, &frmMain::LblColor_DblClick);
    connect(m_colourBox, &ColourBoxWidget::foreDoubleClicked, this, &frmMain::LblFore_DblClick);
    connect(m_colourBox, &ColourBoxWidget::backDoubleClicked, this, &frmMain::lblBack_DblClick);
    connect(menuItem(QStringLiteral("mnuColorLoad")), &QAction::triggered, this, &frmMain::mnuColorLoad_Click);
    connect(menuItem(QStringLiteral("mnuColorSave")), &QAction::triggered, this, &frmMain::mnuColorSave_Click);
    // The box moves only by the drop rule below, never by the dock's own dragging or floating.
    m_property1->setFeatures(QDockWidget::NoDockWidgetFeatures);
    new TitleDrag(this, m_colourBox->LblToolBox());
}

std::optional<Colour> frmMain::ChooseColour(Colour initial)
{
    const QColor start(RedOf(initial), GreenOf(initial), BlueOf(initial));
    std::optional<QColor> chosen;
    if (colorDialogHook) {
        chosen = colorDialogHook(start);
    } else {
        const QColor c = QColorDialog::getColor(start, this);
        if (c.isValid())
            chosen = c;
    }
    if (!chosen || !chosen->isValid())
        return std::nullopt;
    const QColor rgb = chosen->toRgb();
    return RGBColour(rgb.red(), rgb.green(), rgb.blue());
}

void frmMain::LblColor_DblClick(int index)
{
    if (index < 0 || index >= ColourCellCount)
        return;
    ColourLabel *cell = m_colourBox->LblColor(index);
    if (const std::optional<Colour> c = ChooseColour(cell->colour()))
        cell->setColour(*c);
}

void frmMain::LblFore_DblClick()
{
    if (const std::optional<Colour> c = ChooseColour(m_state.foreColour)) {
        SetForeSwatch(*c);
        m_state.foreColour = *c;
    }
}

void frmMain::lblBack_DblClick()
{
    if (const std::optional<Colour> c = ChooseColour(m_state.backColour)) {
        SetBackSwatch(*c);
        m_state.backColour = *c;
    }
}

PaletteCells frmMain::paletteCells() const
{
    PaletteCells cells{};
    for (int i = 0; i < ColourCellCount; ++i)
        cells[std::size_t(i)] = m_colourBox->LblColor(i)->colour();
    return cells;
}

void frmMain::mnuColorSave_Click()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    QString path = askPaletteFile(this, paletteSaveHook, 1098, folder, true);
    if (path.isEmpty())
        return;
    path = withPaletteSuffix(path);

    // A file that cannot be written ends the command without a word; an existing file keeps
    // its old content.
    SavePaletteFile(path, paletteCells());
}

void frmMain::mnuColorLoad_Click()
{
    const QString path = askPaletteFile(this, paletteOpenHook, 1097, ProgramFolder(), false);
    if (path.isEmpty())
        return;

    PaletteCells cells = paletteCells();
    LoadPaletteFile(path, cells);
    for (int i = 0; i < ColourCellCount; ++i) {
        ColourLabel *cell = m_colourBox->LblColor(i);
        if (cell->colour() != cells[std::size_t(i)])
            cell->setColour(cells[std::size_t(i)]);
    }
}

void frmMain::dockColourBoxAt(int x)
{
    // Dropped within the box's width of the left edge (or beyond it): dock left; within the
    // box's width of the right edge (or beyond it): dock right; anywhere between: stay.
    const int boxWidth = m_property1->width();
    int align = ColorBoxAlign();
    if (x < boxWidth)
        align = 3;
    else if (x > width() - boxWidth)
        align = 4;
    if (align != ColorBoxAlign())
        setColorBoxAlign(align);
}

} // namespace orv
