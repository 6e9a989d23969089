// The per-user settings store: one INI file per application name, addressed by section and key,
// every value a string. Numbers are written in decimal and Booleans as the words True and False;
// the typed reads convert back with the program's rules and leave their target alone when the
// stored text does not convert or lies outside the range the caller accepts.
//
// Files live in <user configuration folder>/Orv/<application name>.ini (the configuration folder
// is $XDG_CONFIG_HOME, normally ~/.config). A file that does not read back cleanly is copied to
// "<name>.ini.corrupt-<yyyyMMdd-hhmmss>" beside the original before the store first rewrites it,
// so that nothing the parser skipped is lost. A folder that cannot be written only makes the
// writes fail: reads give the defaults and the program goes on.
#pragma once

#include "base/Colour.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>

class QSettings;

namespace orv {

// The application name of the list of sibling programs shared by all programs of the maker.
QString ProgramsAppName();

// <user configuration folder>/Orv, or an empty string when the platform names no such folder.
QString SettingsFolder();
// The file that holds the settings of one application name.
QString SettingsFilePath(const QString &appName);

// Conversions of stored text. Leading and trailing blanks are ignored. A number is decimal, with
// an optional sign, fraction and exponent ("12", "-3.5", "1e3"); anything else does not convert.
// Integers round to the nearest whole number, halves to the even neighbour, and fail outside
// their type. A Boolean is the word True or False in any letter case, or a number (0 is false,
// any other number true).
std::optional<double> ParseNumber(const QString &text);
std::optional<std::int16_t> ParseInteger(const QString &text);
std::optional<std::int32_t> ParseLong(const QString &text);
std::optional<float> ParseSingle(const QString &text);
std::optional<bool> ParseBoolean(const QString &text);

QString FormatBoolean(bool value);       // "True" / "False"
QString FormatSingle(float value);       // shortest decimal text that reads back to the same value

// Why an INI text would not survive a rewrite: the parser skips or misreads what it cannot
// understand, and the rewritten file would no longer hold it.
struct IniCheck {
    bool ok = true;
    int line = 0;          // 1-based line of the first fault, 0 for faults of the whole text
    QString reason;
};

// A text is well formed when it holds no NUL byte, is valid UTF-8, has no control characters
// other than tab and line ends, and every line is blank, a comment (";" or "#"), a "[section]"
// or a "key=value" whose key is not blank, whose backslashes each escape a following character
// on the same line and whose unescaped double quotes pair up.
IniCheck CheckIniText(const QByteArray &raw);

class SettingsStore {
public:
    explicit SettingsStore(const QString &appName);
    ~SettingsStore();                    // writes what is pending
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    const QString &appName() const { return m_appName; }
    const QString &filePath() const { return m_path; }

    bool contains(const QString &section, const QString &key) const;
    // The stored text, or `def` when the key does not exist (or holds no text).
    QString get(const QString &section, const QString &key, const QString &def = QString()) const;

    // Writes return false when the value was refused: the folder has no usable path, or the file
    // could not be read or copied aside before its first rewrite. Failures of the disk itself
    // show at sync().
    bool set(const QString &section, const QString &key, const QString &value);
    bool setBoolean(const QString &section, const QString &key, bool value);
    bool setNumber(const QString &section, const QString &key, std::int64_t value);
    bool setSingle(const QString &section, const QString &key, float value);

    // Typed reads. A missing key sets `target` to `def`; a stored text that converts and lies
    // within [min, max] sets `target` to it; anything else leaves `target` as it was. The result
    // tells whether `target` was assigned.
    bool readBoolean(const QString &section, const QString &key, bool def, bool &target) const;
    // The same into a 16-bit Boolean field: True is -1, False 0.
    bool readBoolean(const QString &section, const QString &key, std::int16_t def, std::int16_t &target) const;
    bool readInteger(const QString &section, const QString &key, std::int16_t def, std::int16_t &target,
                     std::int16_t min = std::numeric_limits<std::int16_t>::min(),
                     std::int16_t max = std::numeric_limits<std::int16_t>::max()) const;
    bool readLong(const QString &section, const QString &key, std::int32_t def, std::int32_t &target,
                  std::int32_t min = std::numeric_limits<std::int32_t>::min(),
                  std::int32_t max = std::numeric_limits<std::int32_t>::max()) const;
    // A Long that must be a colour 0x00BBGGRR (0 to 0xFFFFFF).
    bool readColour(const QString &section, const QString &key, Colour def, Colour &target) const;
    bool readSingle(const QString &section, const QString &key, float def, float &target,
                    float min = std::numeric_limits<float>::lowest(),
                    float max = std::numeric_limits<float>::max()) const;
    // A text of at most `maxLength` characters with no control characters.
    bool readString(const QString &section, const QString &key, const QString &def, QString &target,
                    int maxLength = 4096) const;

    // Writes what is pending to the file. False when it did not reach the file (or an earlier
    // write was refused).
    bool sync();
    // The copy kept of a malformed file before this store first rewrote it, if it made one.
    const QString &backupPath() const { return m_backupPath; }

private:
    enum class Lookup { Missing, Text, Unreadable };
    Lookup lookup(const QString &section, const QString &key, QString &text) const;
    // A missing key gives `def`, a stored text that `convert` takes its value; else nothing.
    template<typename T, typename Convert>
    bool readTyped(const QString &section, const QString &key, const T &def, T &target, Convert convert) const;
    bool prepareWrite();

    QString m_appName;
    QString m_path;
    std::unique_ptr<QSettings> m_settings;
    bool m_writeChecked = false;
    bool m_writeAllowed = false;
    bool m_failed = false;
    bool m_dirty = false;
    QString m_backupPath;
};

// The platform's two store operations, each on its own for callers that touch one key.
QString GetSetting(const QString &appName, const QString &section, const QString &key,
                   const QString &def = QString());
bool SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &value);

} // namespace orv
