// The benchmark program: each workload is measured against a reference measured in the same
// run, and the ratio is printed with the goal it is held to. Nothing here passes or fails a
// build; the figures are read by people.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

namespace orvbench {

struct Case {
    QString area;    // "surface", "undo", ...
    QString name;
    std::function<void()> run;
};

std::vector<Case> &registry();

struct Register {
    Register(const QString &area, const QString &name, std::function<void()> run)
    {
        registry().push_back({area, name, std::move(run)});
    }
};

// Best-of-n wall time of fn, in milliseconds.
double bestMs(const std::function<void()> &fn, int repeats = 5);

// The common references: a picture of pseudo-random pixels, and one memcpy of a 4096 x 4096
// RGB32 image's bytes into a buffer that was touched beforehand.
QImage noiseImage(int w, int h);
double imageCopyMs();

// Prints one line: the measured ratio of a workload to its reference and the goal it is held to.
void report(const QString &what, double ms, const QString &reference, double refMs, double goalRatio);

} // namespace orvbench
