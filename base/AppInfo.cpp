#include "base/AppInfo.h"

#include "base/ResStrings.h"

#include <QCoreApplication>
#include <QDir>

namespace orv {

QString AppTitle()
{
    return QStringLiteral("Orv Image Editor");
}

int VersionMajor() { return ORV_VERSION_MAJOR; }
int VersionMinor() { return ORV_VERSION_MINOR; }
int VersionRevision() { return ORV_VERSION_REVISION; }

QString VersionText()
{
    return QStringLiteral("Version %1.%2.%3").arg(VersionMajor()).arg(VersionMinor()).arg(VersionRevision());
}

QString ProgramFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString HelpFilePath()
{
    return ProgramFolder() + QLatin1Char('/') + LoadResString(1240);
}

QVariant ValueStackStore::ValueStack(const QVariant &value, int op)
{
    if (op == 0) {
        if (m_top + 1 >= int(m_values.size()))
            return {};   // a sixth push has no room; callers keep pushes and pops balanced
        ++m_top;
        m_values[m_top] = value;
        return value;
    }
    if (op == 1) {
        if (m_top < 0)
            return {};
        const QVariant v = m_values[m_top];
        --m_top;
        return v;
    }
    return {};
}

} // namespace orv
