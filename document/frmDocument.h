// The document window: a thin view over a Document. It shows Picture1 at 1:1 inside the
// scrolling viewport Panel, forwards pointer and key events, and asks the close question
// through the document. At 1:1 one picture pixel is one device pixel, so on a screen with a
// device pixel ratio above 1 the layout the document computes is in device pixels, and this
// window turns it into logical units.
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

    // A point of the client area in device pixels (the units of the document's layout) in the
    // window's logical units, as a pop-up menu is placed.
    QPoint clientToLogical(QPoint device) const;

    // Sets the caption on the document and on the window frame.
    void setCaption(const QString &caption);

protected:
    bool event(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    QSize toDevice(QSize logical) const;
    QRect toLogical(const QRect &device) const;

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
