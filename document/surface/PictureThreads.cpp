#include "document/surface/PictureThreads.h"

#include "document/surface/VectorState.h"

#include <algorithm>
#include <thread>

namespace orv {

namespace {
int g_threads = 0;
}

void SetPictureThreads(int threads)
{
    g_threads = threads;
}

bool UseSecondThread(qint64 pixels)
{
    const int threads = g_threads > 0 ? g_threads : int(std::thread::hardware_concurrency());
    return threads >= 2 && pixels >= (qint64(1) << 20);
}

int SecondThreadStart(int count, int align)
{
    align = std::max(align, 1);
    return std::min(count, (count / 2 + align - 1) / align * align);
}

void RunRowsSplit(int count, bool split, int align, const std::function<void(int, int, bool)> &work)
{
    const int start = split ? SecondThreadStart(count, align) : count;
    if (start <= 0 || start >= count) {
        work(0, count, true);
        return;
    }
    std::thread second([&] {
        ClearUpperVectorState();
        work(start, count, false);
    });
    // The second thread is joined even if the first half throws (an allocation failure).
    struct Join {
        std::thread &t;
        ~Join() { t.join(); }
    } join{second};
    work(0, start, true);
}

} // namespace orv
