// Whole-image and selection transforms: flips, rotation and clearing.
#include "document/Document.h"

namespace orv {

void Document::sub_FlipHorizontal() {}
void Document::sub_FlipVertical() {}
void Document::sub_ROTATE(double &, std::int16_t &, std::int16_t &) {}
void Document::CheckerBoard() {}
void Document::Clear() {}
void Document::CustomFilter() {}

} // namespace orv
