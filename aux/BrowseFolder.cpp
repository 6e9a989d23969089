#include "aux/BrowseFolder.h"

#include <QCollator>
#include <QDir>
#include <algorithm>

namespace orv {

QString BrowsePattern()
{
    return QStringLiteral("*.jpg;*.gif;*.jpeg;*.dib;*.ico;*.cur;*.bmp;*.wmf");
}

QStringList BrowseNameFilters(const QString &pattern)
{
    QStringList filters;
    for (const QString &p : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        filters << p.trimmed();
    return filters;
}

QStringList BrowseFolderFiles(const QString &folder, const QString &pattern)
{
    QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return {};
    QStringList names = dir.entryList(BrowseNameFilters(pattern), QDir::Files | QDir::Readable,
                                      QDir::NoSort);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    std::sort(names.begin(), names.end(),
              [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    return names;
}

} // namespace orv
