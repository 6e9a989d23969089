// The document window: a thin view over a Document. It shows Picture1 at 1:1 inside the
// scrolling viewport Panel, forwards pointer and key events, and asks the close question
// through the document.
#pragma once

#include "document/Document.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <memory>

class QScrollBar;

namespace orv {

class PictureView;

class frmDocument : public QWidget, public DocumentView {
    Q_OBJECT
public:
    explicit frmDocument(DocumentHost &host, QWidget *parent = nullptr);
    ~frmDocument() override;

    Document &doc() { return *m_doc; }
    const Document &doc() const { return *m_doc; }

    // The MDI frame around this window (set by whoever adds it to the workspace).
    void setSubWindow(QMdiSubWindow *w) { m_sub = w; }
    QMdiSubWindow *subWindow() const { return m_sub; }

    QWidget *Panel() const { return m_panel; }
    QWidget *Picture1View() const;
    QScrollBar *HScroll1() const { return m_hscroll; }
    QScrollBar *VScroll1() const { return m_vscroll; }
    QWidget *Label1() const { return m_corner; }

    // DocumentView
    QSize WindowPixels() override;
    QSize ClientPixels() override;
    void SetWindowPixels(QSize size) override;
    int WindowState() override;
    int ScrollBarWidth() override;
    int ScrollBarHeight() override;
    void ApplyLayout(const ViewportLayout &layout) override;
    void RepaintPicture(const QRect &area) override;
    void SetCaption(const QString &caption) override;
    void SetToolCursor(ToolCursor cursor) override;
    void ShowSelectionOutline(bool visible, const QRect &rect) override;
    void CloseWindow() override;

    // Sets the caption on the document and on the window frame.
    void setCaption(const QString &caption);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    std::unique_ptr<Document> m_doc;
    QPointer<QMdiSubWindow> m_sub;
    QWidget *m_panel = nullptr;
    PictureView *m_picture = nullptr;
    QScrollBar *m_hscroll = nullptr;
    QScrollBar *m_vscroll = nullptr;
    QWidget *m_corner = nullptr;
    bool m_applyingLayout = false;
};

} // namespace orv
