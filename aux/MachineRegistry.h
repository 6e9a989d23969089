// A small per-machine key store: keys named by backslash paths ("SOFTWARE\Orv\Shared Tools")
// under a root, each holding named values that are strings or double-words. It lives in one INI
// file per root in the machine folder: $ORV_MACHINE_REGISTRY if set, else /etc/orv (tests and
// packagers point it elsewhere with SetMachineRegistryFolder). Values are stored as "sz:<text>"
// or "dword:<decimal>"; anything else reads as a failure.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace orv {

inline constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr std::uint32_t HKEY_CURRENT_USER = 0x80000001u;
inline constexpr int REG_SZ = 1;
inline constexpr int REG_DWORD = 4;

QString MachineRegistryFolder();
void SetMachineRegistryFolder(const QString &folder);   // empty: back to the default

struct RegValue {
    int type = 0;            // REG_SZ or REG_DWORD
    QByteArray data;         // the text in UTF-8, or the double-word's four bytes, least significant first
};

// True when the key exists under the root.
bool RegKeyExists(std::uint32_t root, const QString &key);
std::optional<RegValue> RegQueryValue(std::uint32_t root, const QString &key, const QString &name);
bool RegSetString(std::uint32_t root, const QString &key, const QString &name, const QString &value);
bool RegSetDword(std::uint32_t root, const QString &key, const QString &name, std::uint32_t value);

// Reads one value as text: a string as it is (cut at a NUL), a double-word as its number in
// decimal. False, with an empty text, when the key or the value is missing or of another type.
bool GetKeyValue(std::uint32_t root, const QString &keyName, const QString &subKeyRef, QString &keyVal);

// The system information program: the value "PATH" of SysInfoKey, else the folder in the
// value "SYSINFO" of SysInfoLocationKey joined with SysInfoProgramName, when that file exists.
// Empty when neither leads to a program.
extern const char SysInfoKey[];
extern const char SysInfoLocationKey[];
extern const char SysInfoProgramName[];
QString FindSysInfoProgram();

} // namespace orv
