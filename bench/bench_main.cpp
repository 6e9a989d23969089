#include "Bench.h"

#include <QGuiApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>
#include <limits>

namespace orvbench {

std::vector<Case> &registry()
{
    static std::vector<Case> cases;
    return cases;
}

double bestMs(const std::function<void()> &fn, int repeats)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

QImage noiseImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    unsigned seed = 7;
    for (int y = 0; y < h; ++y) {
        auto *p = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            p[x] = 0xFF000000u | (seed >> 8);
        }
    }
    return img;
}

double imageCopyMs()
{
    constexpr std::size_t pixels = std::size_t(4096) * 4096;
    static std::vector<std::uint32_t> from(pixels, 0x12345678u), to(pixels, 0u);
    return bestMs([] { std::memcpy(to.data(), from.data(), from.size() * sizeof(std::uint32_t)); });
}

void report(const QString &what, double ms, const QString &reference, double refMs, double goalRatio)
{
    const double ratio = refMs > 0 ? ms / refMs : 0;
    std::printf("%-58s %9.3f ms | %-34s %9.3f ms | ratio %7.3f (goal <= %.2f) %s\n",
                qPrintable(what), ms, qPrintable(reference), refMs, ratio, goalRatio,
                ratio <= goalRatio ? "ok" : "OVER");
    std::fflush(stdout);
}

} // namespace orvbench

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    for (const auto &c : orvbench::registry()) {
        if (!args.isEmpty() && !args.contains(c.area))
            continue;
        std::printf("== %s: %s\n", qPrintable(c.area), qPrintable(c.name));
        c.run();
    }
    return 0;
}
