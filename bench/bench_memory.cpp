// A document's resident memory against its picture's bytes: an 8192 x 8192 picture at rest
// after it is opened, and after 16 small strokes (each committed). Measured as the growth of the
// process's resident set while the document is built, after handing freed memory back.
#include "Bench.h"

#include "document/Document.h"
#include "tests/FakeHost.h"

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

using namespace orv;

namespace {

double residentBytes()
{
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

void line(const char *what, double bytes, double picture, double goal)
{
    std::printf("%-58s %9.1f MiB | %-34s %9.1f MiB | ratio %7.3f (goal <= %.2f) %s\n", what, bytes / 1048576.0,
                "the picture's bytes", picture / 1048576.0, bytes / picture, goal,
                bytes <= goal * picture ? "ok" : "OVER");
    std::fflush(stdout);
}

const orvbench::Register atRest("memory", "a document holding an 8192x8192 picture", [] {
    constexpr int N = 8192;
    const double picture = double(N) * N * 4;
    const double before = residentBytes();
    {
        orvtest::FakeHost host;
        Document doc{host};
        doc.Form_Load();
        // As the open command leaves it: the picture, its first snapshot, the copies synced.
        doc.Picture1.setPicture(orvbench::noiseImage(N, N));
        doc.Undo(3);
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, true);
        line("resident growth, document at rest after opening", residentBytes() - before, picture, 1.5);
        for (int i = 1; i <= 16; ++i) {
            doc.Picture1.SelectObject(Pen{PS_SOLID, 5, RGBColour(i * 13, 200, 90)});
            doc.Picture1.MoveToEx((i * 977) % (N - 200), (i * 1553) % (N - 200));
            doc.Picture1.LineTo((i * 977) % (N - 200) + 100, (i * 1553) % (N - 200) + 60);
            doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, false);
        }
        line("resident growth after 16 small strokes", residentBytes() - before, picture, 1.7);
    }
});

} // namespace
