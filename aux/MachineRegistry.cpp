#include "aux/MachineRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace orv {

const char SysInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char SysInfoLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char SysInfoProgramName[] = "MSINFO32.EXE";
// System information programs Debian ships: "hardinfo" (package hardinfo) and the desktop's
// information centre "kinfocenter" (package kinfocenter).
const char *const SysInfoFallbackPrograms[2] = {"hardinfo", "kinfocenter"};

namespace {

QString g_folder;

QString rootFile(std::uint32_t root)
{
    QString name;
    switch (root) {
    case HKEY_LOCAL_MACHINE: name = QStringLiteral("HKEY_LOCAL_MACHINE"); break;
    case HKEY_CURRENT_USER: name = QStringLiteral("HKEY_CURRENT_USER"); break;
    default: return {};
    }
    return MachineRegistryFolder() + QLatin1Char('/') + name + QStringLiteral(".ini");
}

// The INI group of a key: its path parts joined with "/", letter case folded as key names are
// not case sensitive.
QString groupOf(const QString &key)
{
    QStringList parts = key.toLower().split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    for (QString &p : parts)
        p = p.trimmed();
    return parts.join(QLatin1Char('/'));
}

std::optional<QSettings *> openRoot(std::uint32_t root, std::unique_ptr<QSettings> &holder)
{
    const QString file = rootFile(root);
    if (file.isEmpty())
        return std::nullopt;
    holder = std::make_unique<QSettings>(file, QSettings::IniFormat);
    return holder.get();
}

} // namespace

QString MachineRegistryFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    const QString env = qEnvironmentVariable("ORV_MACHINE_REGISTRY");
    return env.isEmpty() ? QStringLiteral("/etc/orv") : env;
}

void SetMachineRegistryFolder(const QString &folder)
{
    g_folder = folder;
}

bool RegKeyExists(std::uint32_t root, const QString &key)
{
    std::unique_ptr<QSettings> s;
    auto st = openRoot(root, s);
    if (!st)
        return false;
    const QString group = groupOf(key);
    if (group.isEmpty())
        return true;
    (*st)->beginGroup(group);
    return !(*st)->childKeys().isEmpty() || !(*st)->childGroups().isEmpty();
}

std::optional<RegValue> RegQueryValue(std::uint32_t root, const QString &key, const QString &name)
{
    std::unique_ptr<QSettings> s;
    auto st = openRoot(root, s);
    if (!st)
        return std::nullopt;
    const QVariant v = (*st)->value(groupOf(key) + QLatin1Char('/') + name.toLower());
    if (!v.isValid())
        return std::nullopt;
    const QString text = v.toString();
    if (text.startsWith(QLatin1String("sz:")))
        return RegValue{REG_SZ, text.mid(3).toUtf8()};
    if (text.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        const qulonglong n = text.mid(6).trimmed().toULongLong(&ok, 0);
        if (!ok || n > 0xFFFFFFFFull)
            return std::nullopt;
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = char((n >> (8 * i)) & 0xFF);
        return RegValue{REG_DWORD, bytes};
    }
    return std::nullopt;
}

bool RegSetString(std::uint32_t root, const QString &key, const QString &name, const QString &value)
{
    std::unique_ptr<QSettings> s;
    auto st = openRoot(root, s);
    if (!st)
        return false;
    QDir().mkpath(MachineRegistryFolder());
    (*st)->setValue(groupOf(key) + QLatin1Char('/') + name.toLower(), QStringLiteral("sz:") + value);
    (*st)->sync();
    return (*st)->status() == QSettings::NoError;
}

bool RegSetDword(std::uint32_t root, const QString &key, const QString &name, std::uint32_t value)
{
    std::unique_ptr<QSettings> s;
    auto st = openRoot(root, s);
    if (!st)
        return false;
    QDir().mkpath(MachineRegistryFolder());
    (*st)->setValue(groupOf(key) + QLatin1Char('/') + name.toLower(), QStringLiteral("dword:%1").arg(value));
    (*st)->sync();
    return (*st)->status() == QSettings::NoError;
}

bool GetKeyValue(std::uint32_t root, const QString &keyName, const QString &subKeyRef, QString &keyVal)
{
    keyVal.clear();
    if (!RegKeyExists(root, keyName))
        return false;
    const std::optional<RegValue> v = RegQueryValue(root, keyName, subKeyRef);
    if (!v)
        return false;
    if (v->type == REG_SZ) {
        QByteArray text = v->data;
        const qsizetype nul = text.indexOf('\0');
        if (nul >= 0)
            text.truncate(nul);
        keyVal = QString::fromUtf8(text);
        return true;
    }
    if (v->type == REG_DWORD) {
        QString hex;
        for (int i = 3; i >= 0; --i)
            hex += QString::number(std::uint8_t(v->data.at(i)), 16).toUpper();
        const std::uint32_t n = hex.toUInt(nullptr, 16);
        keyVal = hex.size() <= 4 ? QString::number(std::int16_t(std::uint16_t(n)))
                                 : QString::number(std::int32_t(n));
        return true;
    }
    return false;
}

QString FindSysInfoProgram()
{
    QString path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, QString::fromLatin1(SysInfoKey), QStringLiteral("PATH"), path))
        return path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, QString::fromLatin1(SysInfoLocationKey), QStringLiteral("MSINFO"), path)) {
        // The folder and the file name are joined with this system's separator.
        const QString program = path + QLatin1Char('/') + QString::fromLatin1(SysInfoProgramName);
        return QFileInfo(program).isFile() ? program : QString();
    }
    // A machine whose store records no information program: the one the system has.
    for (const char *name : SysInfoFallbackPrograms) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

} // namespace orv
