// The zoom view: a small window that stays above the others without taking the focus and shows
// a magnified copy of the image around the pointer. Every pointer move over a document tells
// the window where the pointer is; the copy itself is made when the window paints, once per
// frame however many moves came in between. The window holds the factor buttons ("Plus",
// "Minus"), the 5 x 5 centre marker and the caption "Zoom <factor> X".
#pragma once

#include "document/surface/Surface.h"

#include <QHash>
#include <QPointF>
#include <QPointer>
#include <QWidget>

class QToolBar;

namespace orv {

class Document;
class DocumentHost;

class frmZoom : public QWidget {
    Q_OBJECT
public:
    // `mainWindow` places the window by default at its inner area's right edge.
    frmZoom(DocumentHost &host, QWidget *mainWindow);
    ~frmZoom() override;

    // The surface the magnified copy lands in: the inner area's size.
    Surface &surface() { return m_surface; }
    // The pointer is at `at` over `doc`, which lives as long as the window `owner`: schedules
    // a repaint that copies the block around it.
    void follow(const Document &doc, QObject *owner, QPointF at);
    // Makes the copy now; nothing when no document was followed or its window has closed.
    void copyFollowed();
    QWidget *innerArea() const { return m_inner; }
    QToolBar *Toolbar1() const { return m_toolbar; }
    QAction *button(const QString &key) const { return m_buttons.value(key); }
    QRect Shape1() const;

    void Toolbar1_ButtonClick(const QString &key);
    // Closing: the switch goes off, the position is saved and the main toolbar's "Zoom"
    // button is released.
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent *e) override;
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Form_Load(QWidget *mainWindow);
    void setCaption();

    DocumentHost &m_host;
    QToolBar *m_toolbar = nullptr;
    QWidget *m_inner = nullptr;
    QHash<QString, QAction *> m_buttons;
    Surface m_surface;
    const Document *m_source = nullptr;
    QPointer<QObject> m_sourceOwner;
    QPointF m_at;
    bool m_unloaded = false;
    bool m_framed = false;   // placed again once the window frame's size is known
};

} // namespace orv
