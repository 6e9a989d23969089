#include "app/HelpIndex.h"

#include "base/DataFiles.h"
#include "base/ResStrings.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace orv {

bool HelpIndex::load(const QString &file, QString *error)
{
    m_keywords.clear();
    QFile f(file);
    if (file.isEmpty() || !QFileInfo(file).isFile() || !f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("The help file \"%1\" could not be opened.").arg(file);
        return false;
    }
    m_folder = QFileInfo(file).absolutePath();
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        const QString keyword = line.left(tab).trimmed();
        const QString page = line.mid(tab + 1).trimmed();
        if (!keyword.isEmpty() && !page.isEmpty())
            m_keywords.append({keyword, page});
    }
    if (m_keywords.isEmpty()) {
        if (error)
            *error = QStringLiteral("The help file \"%1\" names no help pages.").arg(file);
        return false;
    }
    return true;
}

QUrl HelpIndex::resolve(const QString &page) const
{
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(m_folder + QLatin1Char('/') + (hash >= 0 ? page.left(hash) : page));
    if (hash >= 0)
        url.setFragment(page.mid(hash + 1));
    return url;
}

QUrl HelpIndex::contents() const
{
    return m_keywords.isEmpty() ? QUrl() : resolve(m_keywords.first().page);
}

QUrl HelpIndex::pageFor(const QString &keyword) const
{
    for (const HelpKeyword &k : m_keywords)
        if (k.keyword.compare(keyword, Qt::CaseInsensitive) == 0)
            return resolve(k.page);
    return {};
}

QString ResolveHelpFile(const QString &configured)
{
    if (!configured.isEmpty() && QFileInfo(configured).isFile())
        return configured;
    return DataFilePath(LoadResString(1240));
}

} // namespace orv
