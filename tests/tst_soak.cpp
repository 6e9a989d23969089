// Random-gesture soak: a seeded random user drives one document with every tool and button,
// points inside and far outside the picture, keys, the edit and image commands and undo/redo
// bursts. Each undo slot's picture is copied when it first appears; at every checkpoint the whole
// history is walked and must give back exactly those pictures. ORV_SOAK_EVENTS sets the number
// of events (10000), ORV_SOAK_SEED the seed (random; printed at the start and in every failure).
#include "FakeHost.h"
#include "dialogs/ImageResize.h"

#include <sys/resource.h>

using namespace orv;

namespace {

const char *const Tools[] = {
    "Pencil", "Marquee", "Move", "Select", "Line", "Cont Line", "Eraser", "Curve", "Zoom", "Rays",
    "Circle", "Ellipse1", "Ellipse2", "Rectangle", "Round Rectangle", "Triangle", "Star", "Fill",
    "Spray", "Brush", "Dropper", "Text", "Set Transparent Color",
};

qint64 peakResidentKiB() { rusage u{}; getrusage(RUSAGE_SELF, &u); return u.ru_maxrss; }

struct Soak {
    orvtest::DocFixture f{120, 90};
    std::mt19937 rnd;
    quint32 seed;
    int held = 0;                    // the button held down, 0 when none
    qint64 event = 0, commits = 0, compared = 0;   // snapshots seen over the run, slots compared at checkpoints
    std::map<SnapshotPtr, QImage> seen;   // each snapshot's picture, copied from PicOrg when it first appeared

    explicit Soak(quint32 s) : rnd(s), seed(s)
    {
        f.doc.setSprayRandomSeed(s);
        f.host.onTextDialog = [this](AppState &st) {
            if (pick(2)) {
                st.text.text = QStringLiteral("Soak %1").arg(event);
                st.textDialogPending = false;
            }
        };
        record();
    }

    int pick(int n) { return int(rnd() % unsigned(n)); }
    int range(int lo, int hi) { return lo + pick(hi - lo + 1); }
    QString where() const { return QStringLiteral("seed %1, event %2").arg(seed).arg(event); }

    // A point inside the picture, on its edge, or as far outside as a pointer dragged across the screen.
    QPointF point()
    {
        const int w = f.doc.Picture1.ScaleWidth(), h = f.doc.Picture1.ScaleHeight();
        switch (pick(6)) {
        case 0: return QPointF(range(-2500, 2500), range(-2500, 2500));
        case 1: return QPointF(pick(2) ? -1 : w, range(-1, h));
        default: return QPointF(range(0, w - 1) + pick(4) * 0.25, range(0, h - 1));
        }
    }

    void record()
    {
        const SnapshotPtr shown = f.doc.history().picture(f.doc.UndoIndex());
        if (shown && !seen.count(shown)) {
            seen.emplace(shown, f.doc.PicOrg.Image().copy());
            ++commits;
        }
        for (auto it = seen.begin(); it != seen.end();) {   // forget snapshots the history no longer holds
            bool held = false;
            for (int slot = 1; slot < f.doc.history().count() && !held; ++slot)
                held = f.doc.history().picture(slot) == it->first;
            it = held ? std::next(it) : seen.erase(it);
        }
    }

    void step()
    {
        Document &d = f.doc;
        AppState &st = f.host.st;
        const int r = pick(100);
        if (held) {
            const QPointF p = point();
            if (r < 70)
                d.Picture1_MouseMove(held, pick(8), float(p.x()), float(p.y()));
            else if (r < 75)
                d.Picture1_KeyDown(37 + pick(4), 0);
            else
                d.Picture1_MouseUp(std::exchange(held, 0), pick(8), float(p.x()), float(p.y()));
        } else if (r < 35) {
            const QPointF p = point();
            held = (const int[]){1, 1, 1, 2, 4}[pick(5)];
            st.options.PopupMenu = std::int16_t(pick(4) == 0);
            d.Picture1_MouseDown(held, pick(8), float(p.x()), float(p.y()));
        } else if (r < 45) {
            const QPointF p = point();
            d.Picture1_MouseMove(0, 0, float(p.x()), float(p.y()));
        } else if (r < 55) {
            st.previousTool = st.currentTool;
            st.currentTool = QString::fromLatin1(Tools[pick(int(std::size(Tools)))]);
            st.foreColour = RGBColour(pick(256), pick(256), pick(256));
            st.backColour = RGBColour(pick(256), pick(256), pick(256));
        } else if (r < 60) {
            d.Picture1_KeyDown(37 + pick(4), 0);
        } else if (r < 70) {
            const int n = range(1, 20);
            const auto action = std::int16_t(pick(2) ? 1 : 2);
            for (int i = 0; i < n; ++i)
                d.Undo(action);
        } else {
            command(r - 70);
        }
        ++event;
        if (!held)
            record();
    }

    void command(int c)
    {
        Document &d = f.doc;
        switch (c % 15) {
        case 0: d.sub_CUT(); d.SnapshotAndSync(d.Picture1, d.Picture2, d.PicOrg, false); break;
        case 1: d.sub_COPY(); break;
        case 2: d.sub_PASTE(); break;
        case 3: d.sub_FlipHorizontal(); break;
        case 4: d.sub_FlipVertical(); break;
        case 5:   // an odd angle enlarges the picture: not repeated on an ever larger one
            if (std::max(d.Picture1.ScaleWidth(), d.Picture1.ScaleHeight()) <= 400) {
                double angle = (const int[]){90, 180, 270, 45, 30, 1, 359}[pick(7)];
                auto dir = std::int16_t(pick(2)), erase = std::int16_t(pick(2));
                d.sub_ROTATE(angle, dir, erase);
            }
            break;
        case 6: ResizeDocument(d, range(-2, 260) + pick(3) * 0.5, range(-2, 200)); break;
        case 7: ResizeCanvas(d, range(-2, 260), range(-2, 200)); break;
        case 8: d.setMirrorEnabled(!d.MirrorEnabled()); break;
        case 9: d.setMirrorCount(std::int16_t(range(1, 3))); break;
        case 10: d.Clear(); break;
        case 11: d.DeSelect(); break;
        case 12: f.host.SetToolbarButtonValue(QStringLiteral("Filled"), pick(2)); break;
        case 13: f.host.SetToolbarButtonValue(QStringLiteral("Transparent"), pick(2)); break;
        default: d.Refresh(); break;
        }
    }

    // Walks the history to its oldest slot, to its newest and back to where it was; every slot
    // must show exactly the picture it was committed with.
    QString checkHistory()
    {
        Document &d = f.doc;
        const std::int16_t start = d.UndoIndex();
        auto check = [&](const char *when) -> QString {
            const SnapshotPtr shown = d.history().picture(d.UndoIndex());
            const auto it = seen.find(shown);
            if (it == seen.end())
                return {};
            ++compared;
            for (const Surface *s : {&d.Picture1, &d.Picture2, &d.PicOrg})
                if (s->Image() != it->second)
                    return QStringLiteral("%1: slot %2 %3 does not give back its picture")
                        .arg(where()).arg(d.UndoIndex()).arg(QLatin1String(when));
            return {};
        };
        for (const bool undo : {true, false}) {
            for (int guard = 0; (undo ? d.CanUndo() : d.CanRedo()) && guard < 40; ++guard) {
                d.Undo(undo ? 1 : 2);
                if (QString e = check(undo ? "on undo" : "on redo"); !e.isEmpty())
                    return e;
            }
        }
        for (int guard = 0; d.UndoIndex() > start && guard < 40; ++guard)
            d.Undo(1);
        if (d.UndoIndex() != start)
            return QStringLiteral("%1: history does not return to slot %2").arg(where()).arg(start);
        return check("back at the start");
    }
};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void randomGesturesKeepTheHistoryExact()
    {
        const qint64 events = qEnvironmentVariableIsSet("ORV_SOAK_EVENTS") ? qEnvironmentVariable("ORV_SOAK_EVENTS").toLongLong() : 10000;
        const quint32 seed = qEnvironmentVariableIsSet("ORV_SOAK_SEED") ? qEnvironmentVariable("ORV_SOAK_SEED").toUInt() : std::random_device{}();
        qInfo("soak: %lld events, seed %u (ORV_SOAK_SEED=%u repeats this run)", events, seed, seed);
        Soak s(seed);
        QElapsedTimer clock;
        clock.start();
        int checkpoints = 0;
        while (s.event < events) {
            s.step();
            if (s.event % 500 == 0 || s.event == events) {
                if (s.held) {
                    s.f.doc.Picture1_MouseUp(std::exchange(s.held, 0), 0, 1, 1);
                    s.record();
                }
                const QString fault = s.checkHistory();
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
                const QSize size = s.f.doc.Picture1.size();
                QVERIFY2(s.f.doc.Picture2.size() == size && s.f.doc.PicOrg.size() == size, qPrintable(s.where()));
                ++checkpoints;
            }
        }
        QVERIFY(checkpoints > 0);
        QVERIFY2(s.commits > events / 100 && s.compared > checkpoints, "the run committed almost nothing");
        const double secs = std::max(1e-3, clock.nsecsElapsed() / 1e9);
        qInfo("soak: %lld events in %.1f s (%.0f events/s), %lld commits, %d checkpoints comparing %lld slots, peak resident %lld KiB",
              events, secs, events / secs, s.commits, checkpoints, s.compared, peakResidentKiB());
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
