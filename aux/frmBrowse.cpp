#include "aux/frmBrowse.h"

#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "aux/BrowseFolder.h"
#include "base/ToolArt.h"
#include "base/WindowPlacementWidget.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QListWidget>
#include <QProgressBar>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace orv {

namespace {
// Pictures are read at most this large for the preview: a huge file costs what the preview
// shows, not its full size.
constexpr int kPreviewLimit = 1024;
// How often the folder pass lets the window take its events.
constexpr int kEventsEveryMs = 100;
} // namespace

frmBrowse::frmBrowse(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmBrowse"));
    setWindowIcon(ToolbarIcon(QStringLiteral("Open")));

    // Sizes follow the design: 7095 x 7575 twips of preview, lists 3255 twips wide.
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture2"));
    m_picture->setMinimumSize(473, 505);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setBackgroundRole(QPalette::Base);
    m_picture->setAutoFillBackground(true);

    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("Drive1"));
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady())
            continue;
        const QString root = v.rootPath();
        const QString name = v.displayName() == root ? root : root + QStringLiteral("  [") + v.displayName() + QLatin1Char(']');
        m_drive->addItem(name, root);
    }
    if (m_drive->findData(QStringLiteral("/")) < 0)
        m_drive->insertItem(0, QStringLiteral("/"), QStringLiteral("/"));

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_dirModel->setRootPath(QStringLiteral("/"));
    m_dir = new QTreeView(this);
    m_dir->setObjectName(QStringLiteral("Dir1"));
    m_dir->setModel(m_dirModel);
    for (int c = 1; c < m_dirModel->columnCount(); ++c)
        m_dir->hideColumn(c);
    m_dir->header()->hide();
    m_dir->setMinimumSize(217, 81);

    m_file = new QListWidget(this);
    m_file->setObjectName(QStringLiteral("File1"));
    m_file->setMinimumWidth(217);
    m_file->setMinimumHeight(200);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgBar1"));
    m_progress->setTextVisible(false);
    m_progress->hide();

    auto *lists = new QVBoxLayout;
    lists->addWidget(m_drive);
    lists->addWidget(m_dir, 1);
    lists->addWidget(m_file, 4);
    lists->addWidget(m_progress);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_picture, 2);
    layout->addLayout(lists, 1);

    connect(m_drive, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(m_dir->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &cur) {
        if (cur.isValid())
            setPath(m_dirModel->filePath(cur));
    });
    connect(m_file, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { File1_Click(item->text()); });
    connect(m_file, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        emit openPicture(QDir(m_path).filePath(item->text()));
    });

    // Load.
    m_pattern = BrowsePattern();
    bool keepFonts = false;
    LoadResStrings(this, keepFonts);
    // The title is the menu item's caption without its accelerator and ellipsis.
    setWindowTitle(LoadResString(1063).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    resize(760, 560);
    PlaceOverOwner(this, parent);
}

frmBrowse::~frmBrowse() = default;

bool frmBrowse::passRunning() const
{
    return m_passRunning;
}

void frmBrowse::Drive1_Change()
{
    const QString root = m_drive->currentData().toString();
    if (root.isEmpty())
        return;
    // The process works in the chosen drive from now on, as the drive list's choice means.
    QDir::setCurrent(root);
    setDirPath(root);
}

void frmBrowse::setDirPath(const QString &folder)
{
    const QModelIndex idx = m_dirModel->index(folder);
    if (idx.isValid()) {
        m_dir->setCurrentIndex(idx);   // the file list follows through currentChanged
        m_dir->scrollTo(idx);
    }
    if (QDir::cleanPath(m_path) != QDir::cleanPath(folder))
        setPath(folder);
}

void frmBrowse::setPath(const QString &folder)
{
    m_path = folder;
    File1_PathChange();
}

void frmBrowse::File1_PathChange()
{
    // A pass still running (this is a folder chosen during it) ends at its next step.
    const int pass = ++m_passNumber;
    m_passRunning = false;
    m_passFiles = BrowseFolderFiles(m_path, m_pattern);
    m_file->clear();
    m_file->addItems(m_passFiles);
    m_steps.clear();
    if (m_passFiles.isEmpty()) {
        m_progress->hide();
        emit passFinished();
        return;
    }
    m_progress->setMinimum(0);
    m_progress->setMaximum(int(m_passFiles.size()));
    m_progress->show();
    // Each picture in list order goes into the preview, the bar counting. Every 100 ms the
    // window takes its events, so it repaints (the preview changing as the pass goes) and the
    // user can choose another folder, which replaces this pass, or close the window.
    const QPointer<frmBrowse> alive(this);
    const QStringList files = m_passFiles;
    const QString folder = m_path;
    const bool shown = isVisible();
    m_passRunning = true;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    for (int i = 0; i < files.size(); ++i) {
        loadInto(QDir(folder).filePath(files.at(i)));   // a damaged file is skipped
        m_progress->setValue(i);
        m_steps << i;
        if (sinceEvents.elapsed() >= kEventsEveryMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            sinceEvents.restart();
            if (!alive || m_passNumber != pass)
                return;   // the window is gone, or another folder's pass ran meanwhile
            if (shown && !isVisible())
                break;    // the window was closed: no one looks at the rest
        }
    }
    m_passRunning = false;
    m_progress->hide();
    emit passFinished();
}

bool frmBrowse::loadInto(const QString &file)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kPreviewLimit || size.height() > kPreviewLimit))
        reader.setScaledSize(size.scaled(kPreviewLimit, kPreviewLimit, Qt::KeepAspectRatio));
    QImage img = reader.read();
    if (img.isNull())
        return false;
    m_image = std::move(img);
    m_previewFile = file;
    showPreview();
    return true;
}

void frmBrowse::File1_Click(const QString &name)
{
    loadInto(QDir(m_path).filePath(name));
}

void frmBrowse::showPreview()
{
    if (m_image.isNull())
        return;
    const QSize box = m_picture->contentsRect().size();
    QPixmap pm = QPixmap::fromImage(m_image);
    if (pm.width() > box.width() || pm.height() > box.height())
        pm = pm.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_picture->setPixmap(pm);
}

void frmBrowse::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    showPreview();
}

} // namespace orv
