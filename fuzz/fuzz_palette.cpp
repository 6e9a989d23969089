// The palette file reader as Colour > Load Color Palette runs it, on any bytes: it must stop
// cleanly wherever the text stops being records, never give a cell a colour outside 0x00BBGGRR,
// and whatever cells it leaves must save as a file that reads back to the very same cells.
#include "FuzzSupport.h"

#include "tools/Palette.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    orvfuzz::startQt(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = orvfuzz::scratch() + QStringLiteral("/input.orvp");
    orvfuzz::writeFile(path, reinterpret_cast<const char *>(data), qsizetype(size));

    orv::PaletteCells cells = orv::DefaultCellColours;
    const int applied = orv::LoadPaletteFile(path, cells);
    if (applied < 0 || applied > orv::ColourCellCount)
        orvfuzz::fault("the reader applied an impossible number of records", QString::number(applied));
    for (orv::Colour c : cells) {
        if (c > 0xFFFFFFu)
            orvfuzz::fault("a cell took a colour outside 0x00BBGGRR", QString::number(c, 16));
    }

    const QString saved = orvfuzz::scratch() + QStringLiteral("/saved.orvp");
    QString error;
    if (!orv::SavePaletteFile(saved, cells, &error))
        orvfuzz::fault("the palette could not be saved", error);
    orv::PaletteCells back{};
    if (orv::LoadPaletteFile(saved, back) != orv::ColourCellCount || back != cells)
        orvfuzz::fault("a saved palette does not read back to the same cells");
    return 0;
}
