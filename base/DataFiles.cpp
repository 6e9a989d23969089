#include "base/DataFiles.h"

#include "base/AppInfo.h"

#include <QDir>
#include <QFileInfo>

namespace orv {

QString DataFilePath(const QString &name)
{
    const QString beside = ProgramFolder() + QLatin1Char('/') + name;
    if (name.isEmpty() || QFileInfo::exists(beside))
        return beside;
    const QString installed =
        QDir::cleanPath(ProgramFolder() + QStringLiteral("/../share/orv-image-editor/") + name);
    if (QFileInfo::exists(installed))
        return installed;
    return beside;
}

} // namespace orv
