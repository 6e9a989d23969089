// The image file browser: a drive list, a folder tree and the folder's picture files on the
// right, a large preview on the left. Choosing a folder runs a pass that loads each picture in
// list order into the preview (the progress bar counting, damaged files skipped), so the preview
// ends on the last picture; the window takes its events every 100 ms meanwhile. Clicking a file
// previews it, double-clicking opens it as a document.
#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QTreeView;

namespace orv {

class frmBrowse : public QWidget {
    Q_OBJECT
public:
    explicit frmBrowse(QWidget *parent = nullptr);
    ~frmBrowse() override;

    QLabel *Picture2() const { return m_picture; }
    QComboBox *Drive1() const { return m_drive; }
    QTreeView *Dir1() const { return m_dir; }
    QListWidget *File1() const { return m_file; }
    QProgressBar *ProgBar1() const { return m_progress; }
    QString Pattern() const { return m_pattern; }

    // The folder the file list shows; setting it lists the folder and runs the folder pass,
    // returning when the pass is over (or when a folder chosen during it replaced it).
    QString path() const { return m_path; }
    void setPath(const QString &folder);
    // The folder list's path: the tree selects the folder, and the file list follows.
    void setDirPath(const QString &folder);

    // The picture shown (null before anything loaded) and the file it came from.
    const QImage &preview() const { return m_image; }
    QString previewFile() const { return m_previewFile; }
    bool passRunning() const;
    // Every value the progress bar took during the last pass, in order.
    const QList<int> &progressSteps() const { return m_steps; }

    void Drive1_Change();
    void File1_Click(const QString &name);

signals:
    // A double-clicked file, to open as a document.
    void openPicture(const QString &path);
    // The folder pass reached its end (or was replaced by another folder's).
    void passFinished();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void File1_PathChange();
    bool loadInto(const QString &file);
    void showPreview();

    QLabel *m_picture = nullptr;
    QComboBox *m_drive = nullptr;
    QTreeView *m_dir = nullptr;
    QFileSystemModel *m_dirModel = nullptr;
    QListWidget *m_file = nullptr;
    QProgressBar *m_progress = nullptr;
    QString m_pattern;
    QString m_path;
    QStringList m_passFiles;
    int m_passNumber = 0;       // counts the passes started, so a replaced one notices
    bool m_passRunning = false;
    QList<int> m_steps;
    QImage m_image;
    QString m_previewFile;
};

} // namespace orv
