// Opening and saving a 4096 x 4096 picture, against Qt's image reader and writer doing the
// same file alone: the open path (file-kind and header checks, budgets, the reading itself and
// the conversion to the document's pixels) and the safe save each stay within 1.3x of the bare
// reader and writer; filling a document's surfaces and its first snapshot as well costs less
// than twice the reading.
#include "Bench.h"

#include "base/ImageFiles.h"
#include "base/PictureLoader.h"
#include "tests/FakeHost.h"

#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

using namespace orv;

namespace {

constexpr int N = 4096;

void openAndSave()
{
    QTemporaryDir dir;
    const QImage picture = orvbench::noiseImage(N, N);
    const QString bmp = dir.filePath(QStringLiteral("big.bmp"));
    if (!SavePicture(picture, bmp)) {
        std::printf("cannot write %s\n", qPrintable(bmp));
        return;
    }
    QImageReader::setAllocationLimit(1024);

    const double refOpen = orvbench::bestMs([&] {
        QImageReader reader(bmp);
        QImage img;
        reader.read(&img);
    });
    const double path = orvbench::bestMs([&] { LoadPicture(bmp); });
    orvbench::report(QStringLiteral("open path, 4096x4096 24-bit bitmap"), path,
                     QStringLiteral("QImageReader alone"), refOpen, 1.3);
    orvtest::FakeHost host;
    const double open = orvbench::bestMs([&] {
        Document doc(host);
        host.active = &doc;
        doc.Picture1.setPicture(LoadPicture(bmp));
        doc.PicOrg.setPicture(doc.Picture1.Image());
        doc.StartUp();
        doc.Undo(3);
        host.active = nullptr;
    });
    orvbench::report(QStringLiteral("open 4096x4096 24-bit bitmap into a document"), open,
                     QStringLiteral("QImageReader alone"), refOpen, 2.0);

    const QString out = dir.filePath(QStringLiteral("out.bmp"));
    const QString refOut = dir.filePath(QStringLiteral("ref.bmp"));
    const double refSave = orvbench::bestMs([&] {
        QImageWriter writer(refOut, "bmp");
        writer.write(picture);
    });
    const double save = orvbench::bestMs([&] { SavePicture(picture, out); });
    orvbench::report(QStringLiteral("save 4096x4096 as 24-bit bitmap (safe save)"), save,
                     QStringLiteral("QImageWriter alone"), refSave, 1.3);
}

static orvbench::Register r("files", QStringLiteral("open and save a 4096 x 4096 picture"), openAndSave);

} // namespace
