#include "app/ProgramList.h"

#include "base/AppInfo.h"
#include "base/SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace orv {

namespace {
const QString kList = QStringLiteral("RegistryPath");
const QString kGeneral = QStringLiteral("General");
const QString kFalse = QStringLiteral("False");
} // namespace

QList<SiblingProgram> LoadSiblingPrograms(const QString &ownTitle, int maxItems)
{
    QList<SiblingProgram> out;
    SettingsStore list(ProgramsAppName());
    std::int32_t n = 0;
    list.readLong(kList, QStringLiteral("LastIndex"), 0, n, 0);
    std::int32_t k = 1;
    for (int i = 1; i <= maxItems; ++i) {
        bool found = false;
        for (std::int32_t j = k; j <= n; ++j) {
            const QString title = list.get(kList, QString::number(j), kFalse);
            if (title == ownTitle || title == kFalse)
                continue;
            out.append({title, GetSetting(title, kGeneral, QStringLiteral("Path"), kFalse)});
            k = j + 1;
            found = true;
            break;
        }
        if (!found)
            break;
    }
    return out;
}

void RegisterProgram(const ProgramFacts &facts)
{
    {
        SettingsStore list(ProgramsAppName());
        std::int32_t n = 0;
        list.readLong(kList, QStringLiteral("LastIndex"), 0, n, 0);
        SettingsStore own(facts.title);
        bool registered = false;
        own.readBoolean(kGeneral, QStringLiteral("Registered"), false, registered);
        if (!registered) {
            list.setNumber(kList, QStringLiteral("LastIndex"), std::int64_t(n) + 1);
            list.set(kList, QString::number(std::int64_t(n) + 1), facts.title);
            own.setBoolean(kGeneral, QStringLiteral("Registered"), true);
        }
    }
    SettingsStore own(facts.title);
    own.set(kGeneral, QStringLiteral("ExeName"), facts.exeName);
    own.set(kGeneral, QStringLiteral("Path"), facts.path);
    own.setNumber(kGeneral, QStringLiteral("Major"), facts.major);
    own.setNumber(kGeneral, QStringLiteral("Minor"), facts.minor);
    own.setNumber(kGeneral, QStringLiteral("Revision"), facts.revision);
}

ProgramFacts CurrentProgramFacts()
{
    ProgramFacts f;
    f.title = AppTitle();
    const QString exe = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    f.exeName = QFileInfo(exe).completeBaseName();
    f.path = ProgramFolder();
    f.major = VersionMajor();
    f.minor = VersionMinor();
    f.revision = VersionRevision();
    return f;
}

QString SiblingExecutable(const QString &title, const QString &folder)
{
    const QString exe = GetSetting(title, kGeneral, QStringLiteral("ExeName"), QString());
    if (exe.isEmpty() || folder.isEmpty() || folder == kFalse)
        return {};
    return folder + QLatin1Char('/') + exe;
}

} // namespace orv
