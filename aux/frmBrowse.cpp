#include "aux/frmBrowse.h"

#include "base/ResStrings.h"
#include "base/ResStringsWidget.h"
#include "aux/BrowseFolder.h"
#include "base/ToolArt.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace orv {

namespace {
// Pictures are read at most this large for the preview: a huge file costs what the preview
// shows, not its full size.
constexpr int kPreviewLimit = 1024;
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

    m_pass = new QTimer(this);
    m_pass->setInterval(0);
    connect(m_pass, &QTimer::timeout, this, &frmBrowse::passStep);

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
}

frmBrowse::~frmBrowse() = default;

bool frmBrowse::passRunning() const
{
    return m_pass->isActive();
}

void frmBrowse::Drive1_Change()
{
    const QString root = m_drive->currentData().toString();
    if (!root.isEmpty())
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
    if (m_pass->isActive()) {
        m_pass->stop();
        emit passFinished();
    }
    m_passFiles = BrowseFolderFiles(m_path, m_pattern);
    m_file->clear();
    m_file->addItems(m_passFiles);
    m_steps.clear();
    m_passIndex = 0;
    if (m_passFiles.isEmpty()) {
        emit passFinished();
        return;
    }
    m_progress->setMinimum(0);
    m_progress->setMaximum(int(m_passFiles.size()));
    m_progress->show();
    // One picture per turn of the event loop, so that the window stays responsive.
    m_pass->start();
}

void frmBrowse::passStep()
{
    if (m_passIndex >= m_passFiles.size()) {
        m_pass->stop();
        m_progress->hide();
        showPreview();
        emit passFinished();
        return;
    }
    loadInto(QDir(m_path).filePath(m_passFiles.at(m_passIndex)));   // a damaged file is skipped
    m_progress->setValue(m_passIndex);
    m_steps << m_passIndex;
    ++m_passIndex;
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
    if (!m_pass->isActive())
        showPreview();
    return true;
}

void frmBrowse::File1_Click(const QString &name)
{
    loadInto(QDir(m_path).filePath(name));
    showPreview();
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
