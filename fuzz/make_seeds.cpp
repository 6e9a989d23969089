// Writes the seed corpora of the fuzz targets: small valid files of every kind each target
// reads, and hostile ones. Run through scripts/fuzz.sh seeds; the result is kept in the
// repository under fuzz/corpus/<target>.
#include "OpenInput.h"
#include "PictureSamples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

int written = 0;

void put(const QString &folder, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(folder);
    QFile f(folder + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
    ++written;
}

void pictureSeeds(const QString &folder)
{
    QList<orvsamples::Sample> all = orvsamples::validSamples();
    all += orvsamples::hostileSamples(false);
    for (const orvsamples::Sample &s : all) {
        const QByteArray ext = QFileInfo(s.name).suffix().toLatin1();
        int index = 0;
        for (int i = 0; i < orvfuzz::OpenExtensionCount; ++i) {
            if (ext == orvfuzz::OpenExtensions[i] || (ext == "jpg" && std::strcmp(orvfuzz::OpenExtensions[i], "jpg") == 0))
                index = i;
        }
        put(folder, QFileInfo(s.name).completeBaseName() + QLatin1Char('.') + QLatin1String(ext), char(index) + s.bytes);
    }
}

void paletteSeeds(const QString &folder)
{
    QByteArray standard;
    for (int i = 0; i < 48; ++i)
        standard += QByteArray::number(i) + ',' + QByteArray::number((i * 349525) & 0xFFFFFF) + "\r\n";
    put(folder, QStringLiteral("standard.orvp"), standard);
    put(folder, QStringLiteral("lf-only.orvp"), QByteArray(standard).replace("\r\n", "\n"));
    put(folder, QStringLiteral("bom.orvp"), "\xEF\xBB\xBF" + standard);
    put(folder, QStringLiteral("from-40.orvp"), "40,255\r\n41,65280\r\n42,16711680\r\n47,1\r\n0,2\r\n");
    put(folder, QStringLiteral("short.orvp"), "0,16777215\r\n1,12632319\r\n");
    put(folder, QStringLiteral("leading-zeros.orvp"), "0000000000007,0000000016777215\r\n8,1\r\n");
    put(folder, QStringLiteral("blanks.orvp"), " 3 , 4 \r\n\t5\t,\t6\t\r\n");
    put(folder, QStringLiteral("bad-index.orvp"), "48,1\r\n");
    put(folder, QStringLiteral("bad-colour.orvp"), "1,16777216\r\n2,-1\r\n3,1e3\r\n");
    put(folder, QStringLiteral("text.orvp"), "this is not a palette\r\n");
    put(folder, QStringLiteral("long-line.orvp"), "1," + QByteArray(300, '7') + "\r\n");
    put(folder, QStringLiteral("empty.orvp"), QByteArray());
}

void settingsSeeds(const QString &folder)
{
    put(folder, QStringLiteral("program.ini"),
        "[Settings]\nManual=True\nListIndex=6\nNewFileWidth=640\nNewFileHeight=480\n"
        "MainLeft=1200\nMainTop=900\nMainWidth=12000\nMainHeight=9000\n\n"
        "[Options]\nCloseLine=False\nMirror=0\nRightMenu=True\nZoomFactor=4\n\n"
        "[Colors]\nForeColor=0\nBackColor=16777215\n\n"
        "[ToolProperties]\nPenWidth=1\nBrushStyle=0\nSprayDensity=0.5\n\n"
        "[MRUList]\nMRU 1=/home/user/Pictures/photo.bmp\nMRU 1 Visible=True\nFile Separator Visible=True\n");
    put(folder, QStringLiteral("quoting.ini"),
        "[Settings]\nQuoted=\"a, b; c\"\nList=a, b, c\nEscapes=tab\\there\\nline\nUnicode=caf\xC3\xA9\n"
        "Bytes=@ByteArray(abc)\nRect=@Rect(1 2 3 4)\nPercent%20Key=1\n; a comment\n# another\n");
    put(folder, QStringLiteral("general.ini"), "top=1\n[General]\nx=2\n[%General]\ny=3\n[a%2Fb]\nc\\d=4\n");
    put(folder, QStringLiteral("crlf.ini"), "[Settings]\r\nManual=True\r\n\r\n[Colors]\r\nForeColor=255\r\n");
    put(folder, QStringLiteral("quote-in-key.ini"), "[Settings]\nA\"B=1\nLater=2\n");
    put(folder, QStringLiteral("quote-in-section.ini"), "[Set\"tings]\nA=1\n[Colors]\nForeColor=3\n");
    put(folder, QStringLiteral("unbalanced.ini"), "[Settings]\nA=\"open\nB=2\n");
    put(folder, QStringLiteral("nul.ini"), QByteArray("[Settings]\nA=1\0\nB=2\n", 20));
    put(folder, QStringLiteral("bad-utf8.ini"), "[Settings]\nA=\xFF\xFE\nB=2\n");
    put(folder, QStringLiteral("no-section.ini"), "A=1\nB=2\n");
    put(folder, QStringLiteral("empty.ini"), QByteArray());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("fuzz/corpus");
    for (const char *target : {"open", "palette", "settings"})
        QDir(root + QLatin1Char('/') + QLatin1String(target)).removeRecursively();
    pictureSeeds(root + QStringLiteral("/open"));
    paletteSeeds(root + QStringLiteral("/palette"));
    settingsSeeds(root + QStringLiteral("/settings"));
    std::printf("%d seed files written under %s\n", written, qPrintable(root));
    return 0;
}
