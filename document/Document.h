// One open image: its surfaces, per-document drawing state, layout rules and the public
// operations the main window calls by name. The document's window (frmDocument) is a thin view
// over this object; everything here runs headless.
#pragma once

#include "document/DocumentHost.h"
#include "document/MaskedBlit.h"
#include "document/UndoHistory.h"
#include "document/surface/Surface.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <random>

namespace orv {

// One point entry of the drawing state: the current point and the start point of the drag.
struct DrawPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
    float startX = 0;
    float startY = 0;
};

// The per-document point and mirror record. Entry 0 is the pointer; entries 1 to 3 are its
// mirror images (vertical axis, centre, horizontal axis).
struct DrawState {
    std::int16_t MirrorCount = 1;
    std::array<DrawPoint, 4> points{};
    bool MirrorEnabled = false;
    std::int16_t centreX = 0;
    std::int16_t centreY = 0;
};

class Document {
public:
    explicit Document(DocumentHost &host);
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    void setView(DocumentView *view);
    DocumentView *view() const { return m_view; }
    DocumentHost &host() const { return m_host; }

    // --- surfaces -------------------------------------------------------------------------
    Surface Picture1;           // the image being edited, shown at 1:1
    Surface Picture2;           // the "before" copy for rubber-band previews
    Surface PicOrg;             // the image as last committed
    Surface Picture3;           // the image under a lifted block
    Surface PicLayer;
    Surface PictureMove;        // the floating or clipboard block
    Surface PictureSelectLine;

    // --- per-document fields --------------------------------------------------------------
    QString Caption;
    QString Tag = QStringLiteral("UnRegister");   // "Register": Caption is the file's path
    bool IsImageWindow = false;

    bool FormIzin() const { return m_formIzin; }
    void setFormIzin(bool open) { m_formIzin = open; }
    bool SaveReq() const { return m_saveReq; }
    void setSaveReq(bool changed) { m_saveReq = changed; }

    Pen penHandle;              // the pen and brush selected into Picture1
    Brush brushHandle;

    Region RectHWND;            // the selection region; null when there is none
    std::int32_t rectLeft = 0, rectTop = 0, rectRight = 0, rectBottom = 0;
    std::int16_t RectRegLeft() const { return std::int16_t(rectLeft); }
    std::int16_t RectRegTop() const { return std::int16_t(rectTop); }
    std::int16_t RectRegRight() const { return std::int16_t(rectRight); }
    std::int16_t RectRegBottom() const { return std::int16_t(rectBottom); }

    // The selection outline (ShapeRect1).
    struct Shape {
        bool Visible = false;
        double Left = 0, Top = 0, Width = 0, Height = 0;
    } ShapeRect1;

    DrawState current;
    DrawState previous;
    std::int16_t MirrorCount() const { return current.MirrorCount; }
    void setMirrorCount(std::int16_t n) { current.MirrorCount = n; }
    bool MirrorEnabled() const { return current.MirrorEnabled; }
    void setMirrorEnabled(bool on) { current.MirrorEnabled = on; }

    // --- window life --------------------------------------------------------------------
    void Form_Load();
    void StartUp();
    void Form_Activate();
    void Form_Resize();
    void sub_RESIZE();
    // Returns true when the close goes ahead, false when the user cancelled it.
    bool Form_Unload();
    void HScroll1_Change(int value);
    // The zoom view's picture: the block of Picture1 around (X, Y), magnified by the zoom
    // factor to fill `zoom` and moved back inside the image where it would cross an edge.
    void PaintZoom(Surface &zoom, float X, float Y) const;
    void VScroll1_Change(int value);
    const ViewportLayout &layout() const { return m_layout; }
    // The viewport rules on their own: image size, viewport size and scroll-bar thickness in,
    // layout out. `first` sets the scroll values as the window's first layout does.
    static ViewportLayout ComputeLayout(QSize image, QSize panel, int vScrollWidth, int hScrollHeight,
                                        const ViewportLayout &previous, bool first);

    // --- public operations, called by name by the main window ---------------------------------
    void sub_CUT();
    void sub_COPY();
    void sub_PASTE();
    void sub_FlipHorizontal();
    void sub_FlipVertical();
    void sub_ROTATE(double &Angle, std::int16_t &Direction, std::int16_t &Erase);
    void Undo(std::int16_t Action);
    void CheckerBoard();
    void Clear();
    void CustomFilter();
    void DeSelect();
    void Refresh();
    void Çizim_Başlangıcı_İşlemleri(float X, float Y, bool &KeepPrevious);
    int hMOVE(int Button, int Shift, float &X, float &Y, int Action);
    void sub_MARQUEE(int Button, int Shift, float &X, float &Y, int Action);
    // True once the pixels of the current selection have been lifted out of the image into
    // PictureMove; the next marquee press clears it.
    bool Lifted() const { return m_lifted; }
    // The right-button menu's OK while moving: the block stays where it is, as a right release
    // leaves it.
    void CommitMovedBlock();

    // --- pointer and keys (pixels of Picture1; buttons 1 left, 2 right, 4 middle) ------------
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Picture1_MouseUp(int Button, int Shift, float X, float Y);
    void Picture1_KeyDown(int KeyCode, int Shift);

    // The commit step: snapshot (unless skipped), then copy the source into B and then into A.
    void SnapshotAndSync(Surface &source, Surface &copyA, Surface &copyB, bool skip);
    void DropSelection();

    bool CanUndo() const { return m_canUndo; }
    bool CanRedo() const { return m_canRedo; }
    // The undo history: snapshots, their selection records and the current position.
    const UndoHistory &history() const { return m_history; }
    std::int16_t UndoIndex() const { return m_history.UndoIndex; }

    // --- tool routines, called by the pointer dispatch with a phase (1 press, 2 move, 3 release)
    void DrawLineShape(int Button, int Shift, float X, float Y, int Phase);
    void DrawRays(int Button, int Shift, float X, float Y, int Phase);
    void DrawRectangleShape(int Button, int Shift, float X, float Y, int Phase);
    void DrawCircleShape(int Button, int Shift, float X, float Y, int Phase);
    void DrawEllipseShape(int Button, int Shift, float X, float Y, int Phase, int Kind);
    void DrawContLine(int Button, int Shift, float X, float Y, int Phase, int Step);
    void CurveStart(int Button, int Shift, float X, float Y);
    void DrawPencil(int Button, int Shift, float X, float Y, int Phase);
    void DrawEraser(int Button, int Shift, float X, float Y, int Phase);
    void DrawSpray(int Button, int Shift, float X, float Y, int Phase);
    void FloodFillAt(int Button, int Shift, float X, float Y, int Phase);
    void PickColor(int Button, int Shift, float X, float Y, int Phase);
    void StampText(int Button, int Shift, float X, float Y, int Phase);
    // The spray's random generator (uniform values in [0, 1)); tests seed it to repeat a pattern.
    void setSprayRandomSeed(std::uint32_t seed) { m_sprayRandom.seed(seed); }
    // The first vertex of the continuous line under way.
    QPoint contLineFirst() const { return QPoint(m_contFirstX, m_contFirstY); }

    // The start point of the drag (set by the drawing start).
    QPointF dragStart() const { return m_dragStart; }
    // The mirror image of a point for mirror entry k (1 vertical axis, 2 centre, 3 horizontal axis).
    QPoint MirrorPoint(int k, QPoint p) const;
    // The stroke's mirror entries while mirror drawing is on: 1 to 2 × MirrorCount − 1, never
    // beyond entry 3; none while it is off.
    int MirrorEntries() const;

    // Picture1 again equals Picture2 everywhere (after a full copy between them), or Picture2
    // was changed by other means so that a preview restore must copy everything.
    void markPreviewInSync() { m_sinceSync = QRect(); }
    void markPreviewBaseChanged() { m_sinceSync = QRect(QPoint(0, 0), Picture1.size()); }
    QRect previewDirty() const { return m_sinceSync | Picture1.dirtyRect(); }

private:
    void UpdateUndoRedoUI();
    // Repaints what changed on Picture1 since the last repaint.
    void refreshPicture();
    // The drawing start itself, run by the press handler whose gate is already closed.
    void drawingStart(float X, float Y, bool KeepPrevious);
    void dispatch(int Button, int Shift, float &X, float &Y, int Phase);
    void RestorePreview();
    // A line from the drag start to (X, Y), and one from each mirror entry's start to its point.
    void linesFromDragStart(float X, float Y);
    void SetToolCursor(float X, float Y);
    void setPointEntries(float X, float Y, bool start);
    void ShowRightButtonMenu(float X, float Y);
    QSize copySelectionToPictureMove();
    // After a flip or rotation of a lifted block: the block and the image under it take what
    // the selection now shows, so the next drag carries the change.
    void retakeLiftedBlock();
    // An unfinished continuous line whose tool is no longer current loses its rubber segment.
    void dropRubberSegment();
    static int CIntPixel(float v);

    DocumentHost &m_host;
    DocumentView *m_view = nullptr;
    bool m_formIzin = false;
    bool m_saveReq = false;
    bool m_firstLayout = true;
    bool m_canUndo = false;
    bool m_canRedo = false;
    UndoHistory m_history;
    ViewportLayout m_layout;
    QPointF m_dragStart;
    QRect m_sinceSync;   // area of Picture1 drawn since it last equalled Picture2
    // Moving a selection: the grab flag of the last press, the bounding rectangle at that press,
    // the block's rectangle in PictureMove, the lifted flag, and the masked copy's buffers, which
    // every move of the same block reuses.
    std::int16_t m_grab = 0;
    BlitRect m_moveStart;
    BlitRect m_moveSource;
    bool m_lifted = false;
    MaskedBlitScratch m_blitScratch;

    // Drawing tools (DocumentTools.cpp).
    void SprayOnce(float X, float Y);
    double SprayRnd();
    std::mt19937 m_sprayRandom{std::random_device{}()};
    std::int16_t m_contFirstX = 0;
    std::int16_t m_contFirstY = 0;
    bool m_contRubber = false;   // a continuous line is open, its rubber segment on Picture1
};

} // namespace orv
