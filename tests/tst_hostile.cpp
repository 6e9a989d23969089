// Files the open command must refuse and saves that must fail safely: hostile pictures of every
// kind, paths that are not regular files, saves onto a device, a full disk or killed half-way.
#include "PictureSamples.h"
#include "filehelpers.h"

#include "app/frmMain.h"
#include "base/ImageFiles.h"
#include "base/PictureLoader.h"
#include "base/ResStrings.h"
#include "document/frmDocument.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orv;
using namespace orvtest;

static qint64 peakRssKiB() { rusage u{}; getrusage(RUSAGE_SELF, &u); return u.ru_maxrss; }

class TestHostile : public QObject {
    Q_OBJECT
    std::unique_ptr<Scratch> m;

    // Opens `path` through File > Open and returns the messages shown.
    QList<Message> openThroughMenu(LoadedMain &w, const QString &path)
    {
        QList<Message> messages;
        w.answerMessages(1, &messages);
        w.openPath(path);
        return messages;
    }

private slots:
    void init() { m = std::make_unique<Scratch>(); }
    void cleanup() { m.reset(); }

    void samplesThroughOpen()
    {
        // Every bitmap depth and compression, and each other kind the installed plugins read, opens without a word.
        LoadedMain w;
        for (const orvsamples::Sample &s : orvsamples::validSamples()) {
            const QString path = m->path(s.name);
            QVERIFY(writeFile(path, s.bytes));
            if (QImageReader(path).read().isNull())
                continue;   // a kind no installed plugin reads
            const qsizetype before = w.documents().size();
            const QList<Message> messages = openThroughMenu(w, path);
            QVERIFY2(messages.isEmpty() && w.documents().size() == before + 1, qPrintable(s.name + QStringLiteral(": ") + messages.value(0).text));
        }
        // Each hostile one is refused with the open command's message and leaves no window (time and memory printed).
        const qsizetype open = w.documents().size();
        for (const orvsamples::Sample &s : orvsamples::hostileSamples(true)) {
            const QString path = m->path(s.name);
            QVERIFY(writeFile(path, s.bytes));
            QElapsedTimer t;
            t.start();
            const QList<Message> messages = openThroughMenu(w, path);
            qInfo("%-26s %6lld ms  peak %6lld MiB", qPrintable(s.name), t.elapsed(), peakRssKiB() / 1024);
            QVERIFY2(w.documents().size() == open && messages.size() == 1, qPrintable(s.name));
            QVERIFY2(messages[0].text.startsWith(LoadResString(1173)) && messages[0].style == 16, qPrintable(s.name + messages[0].text));
            // The bitmap checks read the header itself and say why, for every header size and row order.
            if (s.name.endsWith(QStringLiteral(".bmp")) && !s.bytes.isEmpty())
                QVERIFY2(messages[0].text.size() > LoadResString(1173).size(), qPrintable(s.name));
        }
        // Not regular files: a folder, a missing file, a FIFO (which must not wait for a writer), a device.
        const QString fifo = m->path(QStringLiteral("pipe.bmp"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString &bad : {m->dir.path(), m->path(QStringLiteral("gone.bmp")), fifo, QStringLiteral("/dev/zero")}) {
            const QList<Message> messages = openThroughMenu(w, bad);
            QVERIFY2(w.documents().size() == open, qPrintable(bad));
            QCOMPARE(messages, (QList<Message>{{LoadResString(1173), 16, LoadResString(1174)}}));
        }
        // The command line reports each bad file with its name and goes on to the next.
        QList<Message> messages;
        w.answerMessages(1, &messages);
        const QString good = m->path(QStringLiteral("good.bmp"));
        QVERIFY(SavePicture(testPicture(5, 4), good));
        w.openFiles({fifo, good});
        QVERIFY(messages.size() == 1 && messages[0].text.endsWith(fifo) && w.documents().size() == open + 1);
    }

    void openCostCountsTheCopies()
    {
        // The cost counted for opening includes the document's copies.
        QCOMPARE(PictureOpenCost(QSize(100, 10), QImage::Format_RGB32, 4), qint64(1000 * 4 * 4));
        QCOMPARE(PictureOpenCost(QSize(100, 10), QImage::Format_RGB888, 4), qint64(1000 * (4 * 4 + 3)));
    }

    void saveFaultsKeepOldFile()
    {
        const QString existing = m->path(QStringLiteral("keep.bmp"));
        QVERIFY(SavePicture(testPicture(300, 200), existing));
        const QByteArray before = readFile(existing);

        LoadedMain w;
        w.openPath(existing);
        Document &doc = w.ActiveForm()->doc();
        doc.setSaveReq(true);
        QList<Message> messages;
        w.answerMessages(1, &messages);
        auto saveAs = [&](const QString &path) {
            messages.clear();
            w.saveFileHook = [&](const FileDialogRequest &) { return path; };
            w.choose(QStringLiteral("mnuFileSaveAs"));
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].style == 16 && messages[0].text.startsWith(path), qPrintable(messages[0].text));
            QVERIFY(doc.SaveReq() && doc.Caption == existing);
        };
        // A device (it stays a device), a folder, a path through a file, a missing folder.
        for (const QString &path : {QStringLiteral("/dev/full"), QStringLiteral("/dev/null"), m->dir.path(),
                                    existing + QStringLiteral("/under.bmp"), m->path(QStringLiteral("no/such/folder/x.bmp"))})
            saveAs(path);
        struct stat st{};
        QVERIFY(::stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
        QCOMPARE(readFile(existing), before);

        // A folder that cannot be written (root writes anywhere, so only for ordinary users).
        if (::geteuid() != 0) {
            QFile::setPermissions(m->dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            messages.clear();
            w.choose(QStringLiteral("mnuFileSave"));
            QFile::setPermissions(m->dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            QVERIFY(messages.size() == 1 && doc.SaveReq());
        }

        // The disk fills up part-way through the file: the process's file-size limit makes a
        // write past 64 KiB fail as a full disk does.
        {
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit small = old;
            small.rlim_cur = 64 * 1024;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            messages.clear();
            w.choose(QStringLiteral("mnuFileSave"));
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
            QVERIFY(messages.size() == 1 && messages[0].text.startsWith(existing) && doc.SaveReq());
            QCOMPARE(readFile(existing), before);
        }
        // Nothing is left behind next to the file but the file itself; a working save still succeeds.
        QCOMPARE(QDir(m->dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.bmp")});
        messages.clear();
        w.choose(QStringLiteral("mnuFileSave"));
        QVERIFY(messages.isEmpty() && !doc.SaveReq());
        w.answerMessages(Msg::No);
    }

    void saveKilledHalfWayKeepsOldFile()
    {
        const QString existing = m->path(QStringLiteral("old.bmp"));
        QVERIFY(SavePicture(testPicture(64, 32), existing));
        const QByteArray before = readFile(existing);
        const QImage big = testPicture(4096, 4096);   // 48 MiB of file: long enough to stop in
        std::fflush(nullptr);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            SavePicture(big, existing);
            ::_exit(0);
        }
        // Killed once the child has written a few MiB (its own write count: the new file may have no name yet).
        QElapsedTimer t;
        t.start();
        bool started = false;
        const QString io = QStringLiteral("/proc/%1/io").arg(child);
        while (!started && t.elapsed() < 20000) {
            for (const QByteArray &line : readFile(io).split('\n'))
                if (line.startsWith("wchar:"))
                    started = line.mid(6).trimmed().toLongLong() > 4 * 1024 * 1024;
            if (!started)
                ::usleep(200);
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY(started && WIFSIGNALED(status));
        QCOMPARE(readFile(existing), before);
        QCOMPARE(LoadPicture(existing).size(), QSize(64, 32));
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
