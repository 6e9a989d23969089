// The picture open path as File > Open runs it: the file's kind checked and the file opened, the
// format chosen from the contents (or the name, for formats without a signature), the program's
// own header checks, the reader set up with its allocation limit, the size, memory and time
// budgets, and the decoding by whichever installed plugin reads the format.
//
// The first byte of an input picks the file's extension from the table below; the rest is the
// file. A picture that opens must be within the largest size the editor admits.
#include "FuzzSupport.h"

#include "OpenInput.h"

#include "base/PictureLoader.h"

#include <QImageReader>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    orvfuzz::startQt(argc, argv);
    QImageReader::supportedImageFormats();   // loads the plugins once, outside any input
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QString path = orvfuzz::scratch() + QStringLiteral("/input.") + QLatin1String(orvfuzz::OpenExtensions[data[0] % orvfuzz::OpenExtensionCount]);
    orvfuzz::writeFile(path, reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));

    // The editor's budget, with the memory the fuzzer's own limit leaves.
    orv::PictureBudget budget;
    budget.memoryBytes = qint64(1) << 30;
    const orv::LoadedPicture r = orv::LoadPictureFile(path, budget);
    if (r.ok()) {
        if (r.image.isNull())
            orvfuzz::fault("a picture was opened with no pixels");
        if (r.image.width() > orv::MaxPictureSide || r.image.height() > orv::MaxPictureSide)
            orvfuzz::fault("a picture larger than the editor admits was opened",
                           QStringLiteral("%1 x %2").arg(r.image.width()).arg(r.image.height()));
    } else if (r.failure == orv::LoadFailure::Cancelled) {
        orvfuzz::fault("a load nobody cancelled reports cancelled");
    }
    return 0;
}
