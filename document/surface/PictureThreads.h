// Whole-picture pixel loops (rotation, scaling, stretching) share their rows with a second
// thread on large pictures. Every row is computed on its own, so the pixels are the same on one
// thread or two.
#pragma once

#include <QtGlobal>
#include <functional>

namespace orv {

// How many threads such a loop may use: 0 (the default) lets the machine decide, 1 keeps every
// loop on the calling thread.
void SetPictureThreads(int threads);

// Whether a loop over `pixels` pixels takes a second thread: on a machine with two cores or
// more (or as set above), for a megapixel or more.
bool UseSecondThread(qint64 pixels);

// The first row the second thread takes of `count` rows: the middle, rounded up to a multiple
// of `align`.
int SecondThreadStart(int count, int align = 1);

// Runs work(from, to, onCallingThread) over the rows [0, count): with `split`, the rows from
// SecondThreadStart(count, align) on a second thread while the calling thread does the first
// ones; otherwise all of them on the calling thread. Returns when both are done.
void RunRowsSplit(int count, bool split, int align,
                  const std::function<void(int from, int to, bool onCallingThread)> &work);

} // namespace orv
