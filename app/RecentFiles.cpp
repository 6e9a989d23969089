#include "app/RecentFiles.h"

namespace orv {

bool UpdateRecentList(RecentList &list, const QString &path)
{
    for (int i = 1; i <= 6; ++i)
        if (list[std::size_t(i)].caption == path)
            return false;
    for (int i = 6; i >= 2; --i)
        list[std::size_t(i)] = list[std::size_t(i - 1)];
    list[1] = RecentSlot{path, true};
    return true;
}

QString RecentMenuText(const QString &path)
{
    QString text = path;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QString RecentPathFromMenuText(const QString &text)
{
    QString path = text;
    return path.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

} // namespace orv
