// Crash recovery copies: writing, listing and removing them.
#include "document/Recovery.h"

#include "document/Document.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>

namespace orv {

namespace {

const QLatin1String kRecordSuffix(".record");
const QLatin1String kPictureSuffix(".bmp");

QString filePath(const QString &id, QLatin1String suffix)
{
    return RecoveryFolder() + QLatin1Char('/') + id + suffix;
}

bool writeAtomically(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!write(file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QByteArray field(const char *key, const QString &value)
{
    return QByteArray(key) + '=' + QUrl::toPercentEncoding(value) + '\n';
}

} // namespace

QString RecoveryFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/orv-image-editor/recovery");
}

QList<RecoveryRecord> readRecords()
{
    QList<RecoveryRecord> out;
    QDir dir(RecoveryFolder());
    const QFileInfoList records = dir.entryInfoList({QStringLiteral("*") + kRecordSuffix}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &info : records) {
        RecoveryRecord r;
        r.id = info.completeBaseName();
        QFile f(info.filePath());
        if (!info.isFile() || info.size() > 64 * 1024 || !f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : f.readAll().split('\n')) {
            const qsizetype eq = line.indexOf('=');
            if (eq < 0)
                continue;
            const QString value = QUrl::fromPercentEncoding(line.mid(eq + 1));
            const QByteArray key = line.left(eq);
            if (key == "caption") r.caption = value;
            else if (key == "tag") r.tag = value;
            else if (key == "path") r.path = value;
        }
        QImageReader reader(filePath(r.id, kPictureSuffix), "bmp");
        r.picture = reader.read();
        if (r.picture.isNull())
            continue;
        out << r;
    }
    return out;
}

void removeRecord(const QString &id)
{
    // The record goes first: a picture without its record is never offered.
    QFile::remove(filePath(id, kRecordSuffix));
    QFile::remove(filePath(id, kPictureSuffix));
}

RecoveryKeeper::RecoveryKeeper()
    : m_prefix(QStringLiteral("%1-%2-").arg(QDateTime::currentMSecsSinceEpoch()).arg(QCoreApplication::applicationPid()))
{
}

RecoveryKeeper::~RecoveryKeeper() = default;

int RecoveryKeeper::sync(const QList<const Document *> &docs)
{
    int written = 0;
    // Documents that were closed, or saved since their copy was made, lose the copy.
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (!docs.contains(it.key()) || !it.key()->SaveReq()) {
            removeRecord(it->id);
            it = m_kept.erase(it);
        } else {
            ++it;
        }
    }
    for (const Document *doc : docs) {
        if (!doc->SaveReq())
            continue;
        const SnapshotPtr shown = doc->history().picture(doc->UndoIndex());
        auto it = m_kept.find(doc);
        if (it != m_kept.end() && it->shown.lock() == shown && it->index == doc->UndoIndex() && it->caption == doc->Caption)
            continue;
        if (!QDir().mkpath(RecoveryFolder()))
            return written;
        Kept k = it != m_kept.end() ? *it : Kept{m_prefix + QString::number(m_next++), {}, 0, {}};
        // PicOrg is the picture as last committed: a stroke under way is not in it.
        const QImage picture = doc->PicOrg.Image();
        const bool ok = writeAtomically(filePath(k.id, kPictureSuffix), [&picture](QIODevice &dev) {
            QImageWriter writer(&dev, "bmp");
            return writer.write(picture);
        }) && writeAtomically(filePath(k.id, kRecordSuffix), [doc](QIODevice &dev) {
            const bool registered = doc->Tag == QLatin1String("Register");
            const QByteArray text = field("caption", doc->Caption) + field("tag", doc->Tag)
                                    + field("path", registered ? doc->Caption : QString());
            return dev.write(text) == text.size();
        });
        if (!ok)
            continue;
        k.shown = shown;
        k.index = doc->UndoIndex();
        k.caption = doc->Caption;
        m_kept.insert(doc, k);
        ++written;
    }
    return written;
}

void RecoveryKeeper::clear()
{
    for (const Kept &k : std::as_const(m_kept))
        removeRecord(k.id);
    m_kept.clear();
}

} // namespace orv
