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

// Reads one value as text: a string as it is (cut at a NUL); a double-word as the number its
// bytes spell, most significant first, each byte in hexadecimal digits without leading zeros,
// read back as one hexadecimal number (four digits or fewer a signed 16-bit number, more a
// signed 32-bit one) and given in decimal: 0x00000001 gives "1", 0x01020304 gives "4660"
// (hexadecimal 1234), 0xFFFFFFFF gives "-1". False, with an empty text, when the key or the
// value is missing or of another type.
bool GetKeyValue(std::uint32_t root, const QString &keyName, const QString &subKeyRef, QString &keyVal);

// The system information program: the value "PATH" of SysInfoKey; else, when the value
// "MSINFO" of SysInfoLocationKey names a folder holding SysInfoProgramName, that file. When the
// store holds neither value, the first of SysInfoFallbackPrograms found on the search path.
// Empty when none of these leads to a program.
extern const char SysInfoKey[];
extern const char SysInfoLocationKey[];
extern const char SysInfoProgramName[];
extern const char *const SysInfoFallbackPrograms[2];
QString FindSysInfoProgram();

} // namespace orv
