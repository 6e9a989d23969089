// A document's resident memory against its picture's bytes: an 8192 x 8192 picture at rest
// after it is opened, and after 16 small strokes (each committed), measured as the growth of the
// process's resident set while the document is built, after handing freed memory back; and the
// peak resident set while the largest picture the editor admits (16384 x 16384) is opened, takes
// 16 strokes, is rotated by 45 degrees and all of it is undone.
#include "Bench.h"

#include "document/Document.h"
#include "tests/FakeHost.h"

#include <cstdio>
#include <fstream>
#include <string>
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

// The peak resident set since the last reset, in bytes.
double peakResidentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kib = 0;
            status >> kib;
            return kib * 1024.0;
        }
        std::getline(status, key);
    }
    return 0;
}

void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// As the open command leaves a document: the picture, its first snapshot, the copies synced.
void openPicture(Document &doc, int n)
{
    doc.Form_Load();
    doc.Picture1.setPicture(orvbench::noiseImage(n, n));
    doc.Undo(3);
    doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, true);
}

void strokes(Document &doc, int n, int size)
{
    for (int i = 1; i <= 16; ++i) {
        doc.Picture1.SelectObject(Pen{PS_SOLID, 5, RGBColour(i * 13, 200, 90)});
        doc.Picture1.MoveToEx((i * 977) % (n - 200), (i * 1553) % (n - 200));
        doc.Picture1.LineTo((i * 977) % (n - 200) + size, (i * 1553) % (n - 200) + size * 3 / 5);
        doc.SnapshotAndSync(doc.Picture1, doc.Picture2, doc.PicOrg, false);
    }
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
        openPicture(doc, N);
        line("resident growth, document at rest after opening", residentBytes() - before, picture, 1.5);
        strokes(doc, N, 100);
        line("resident growth after 16 small strokes", residentBytes() - before, picture, 1.7);
    }
});

const orvbench::Register largest("memory", "the largest picture: open, 16 strokes, rotate 45, undo all", [] {
    constexpr int N = 16384;
    const double picture = double(N) * N * 4;
    const double before = residentBytes();
    resetPeakResident();
    {
        orvtest::FakeHost host;
        Document doc{host};
        openPicture(doc, N);
        const Colour opened = doc.Picture1.GetPixel(N / 3, N / 5);
        strokes(doc, N, 100);
        double angle = 45;
        std::int16_t direction = 0, erase = 0;
        doc.sub_ROTATE(angle, direction, erase);
        for (int i = 0; i < 17; ++i)
            doc.Undo(1);
        const bool back = doc.Picture1.GetPixel(N / 3, N / 5) == opened && doc.history().UndoIndex == 1;
        const double peak = peakResidentBytes() - before;
        std::printf("%-58s %9.1f MiB | %-34s %9.1f MiB | ratio %7.3f (goal <= %.2f, 4 GiB) %s%s\n",
                    "peak resident growth, 16384x16384 to rotation and back", peak / 1048576.0,
                    "the picture's bytes", picture / 1048576.0, peak / picture, 4.0 * 1073741824.0 / picture,
                    peak <= 4.0 * 1073741824.0 ? "ok" : "OVER", back ? "" : " (undo did not return to the picture opened!)");
        std::fflush(stdout);
    }
});

} // namespace
