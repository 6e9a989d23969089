// Qt's own vector routines (image fills, painting, format conversions) can return with the
// upper halves of the wide vector registers still marked in use. On some processors every later
// 128-bit SSE instruction, which is what this program's loops and its floating-point arithmetic
// compile to, then pays for that state: measured here, a pixel loop ran four to five times
// slower. Clearing it costs one instruction, so the engine does it at the start of each
// operation and the document at the start of each pointer event.
#pragma once

namespace orv {

// Marks the upper halves of the vector registers unused (nothing on processors without them).
void ClearUpperVectorState();

} // namespace orv
