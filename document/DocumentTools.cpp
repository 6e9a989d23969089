// The drawing tools: shapes, freehand, fill, dropper and text.
#include "document/Document.h"

namespace orv {

void Document::DrawLineShape(int, int, float, float, int) {}
void Document::DrawRays(int, int, float, float, int) {}
void Document::DrawRectangleShape(int, int, float, float, int) {}
void Document::DrawCircleShape(int, int, float, float, int) {}
void Document::DrawEllipseShape(int, int, float, float, int, int) {}
void Document::DrawContLine(int, int, float, float, int, int) {}
void Document::CurveStart(int, int, float, float) {}
void Document::DrawPencil(int, int, float, float, int) {}
void Document::DrawEraser(int, int, float, float, int) {}
void Document::DrawSpray(int, int, float, float, int) {}
void Document::FloodFillAt(int, int, float, float, int) {}
void Document::PickColor(int, int, float, float, int) {}
void Document::StampText(int, int, float, float, int) {}

} // namespace orv
