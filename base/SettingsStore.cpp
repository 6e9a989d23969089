#include "base/SettingsStore.h"

#include "base/Conversions.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>
#include <QVariant>

#include <charconv>
#include <cmath>

namespace orv {

QString ProgramsAppName()
{
    return QStringLiteral("Orv Programs");
}

QString SettingsFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) {
        const QString home = QDir::homePath();
        if (home.isEmpty())
            return QString();
        base = home + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/Orv");
}

QString SettingsFilePath(const QString &appName)
{
    const QString folder = SettingsFolder();
    if (folder.isEmpty() || appName.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + appName + QStringLiteral(".ini");
}

// ---------------------------------------------------------------------------------------------
// Conversions

static bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

std::optional<double> ParseNumber(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype n = t.size();
    qsizetype i = 0;
    if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isAsciiDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isAsciiDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-')))
            ++i;
        qsizetype expDigits = 0;
        while (i < n && isAsciiDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    // The text is plain ASCII by now; strtod-style parsing in the C locale.
    const QByteArray ascii = t.toLatin1();
    double value = 0;
    const char *first = ascii.constData();
    if (*first == '+')
        ++first;
    const auto res = std::from_chars(first, ascii.constData() + ascii.size(), value);
    if (res.ec != std::errc() || res.ptr != ascii.constData() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> ParseInteger(const QString &text)
{
    const auto v = ParseNumber(text);
    return v ? ToInt16(*v) : std::nullopt;
}

std::optional<std::int32_t> ParseLong(const QString &text)
{
    const auto v = ParseNumber(text);
    return v ? ToInt32(*v) : std::nullopt;
}

std::optional<float> ParseSingle(const QString &text)
{
    const auto v = ParseNumber(text);
    if (!v)
        return std::nullopt;
    const float f = float(*v);
    if (!std::isfinite(f))
        return std::nullopt;
    return f;
}

std::optional<bool> ParseBoolean(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto v = ParseNumber(t))
        return *v != 0;
    return std::nullopt;
}

QString FormatBoolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString FormatSingle(float value)
{
    char buf[128];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (res.ec != std::errc())
        return QString::number(double(value), 'g', 9);
    return QString::fromLatin1(buf, res.ptr - buf);
}

// ---------------------------------------------------------------------------------------------
// Well-formedness of a settings file

static IniCheck fault(int line, const QString &reason)
{
    return IniCheck{false, line, reason};
}

// A key or section name as the store writes one: letters, digits, '_', '-', '.', "%XX" escapes
// for everything else, and '\\' between the parts of a nested name. The reader maps anything
// else (a '/', a bare '%', an empty part) onto some other name or none, and the rewrite would
// lose what it stood for.
static bool IsStoredName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('\\')) || name.endsWith(QLatin1Char('\\'))
        || name.contains(QStringLiteral("\\\\")))
        return false;
    const auto hex = [](QChar c) { return c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('F')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')); };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == QLatin1Char('%')) {
            if (i + 2 >= name.size() || !hex(name[i + 1]) || !hex(name[i + 2]))
                return false;
            // The store writes '/' as a backslash and never escapes either: read back, an escaped
            // one would move the key into another group.
            const int code = name.mid(i + 1, 2).toInt(nullptr, 16);
            if (code == '/' || code == '\\')
                return false;
            i += 2;
        } else if (!(c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')
                                               || c == QLatin1Char('.') || c == QLatin1Char('\\')))) {
            return false;
        }
    }
    return true;
}

// Whether the reader splits the value into a list: a comma outside double quotes.
static bool IsList(const QString &value)
{
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\'))
            ++i;
        else if (value[i] == QLatin1Char('"'))
            quoted = !quoted;
        else if (value[i] == QLatin1Char(',') && !quoted)
            return true;
    }
    return false;
}

// A value, or an element of a comma-separated list, that starts with a single '@' is read as a
// typed value (a byte array, a size, a variant...), which the store never writes: it writes a
// text starting with '@' as "@@". A damaged one reads back differently after the rewrite. The
// reader drops a byte-order mark at the very start of the value (after blanks and an opening
// quote); in a list, a first element that then starts with '@' makes the whole value typed.
static bool HasTypedElement(const QString &value)
{
    const bool list = IsList(value);
    bool quoted = false;
    bool atStart = true;
    bool leading = true;   // nothing but blanks and an opening quote so far
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (atStart && c == QLatin1Char(' '))
            continue;
        if (leading && list && c == QChar(0xFEFF)) {
            leading = false;
            continue;
        }
        if (atStart && c == QLatin1Char('"')) {   // quoting does not make it plain text
            leading = leading && !quoted;
            quoted = !quoted;
            continue;
        }
        leading = false;
        if (atStart && c == QLatin1Char('@') && (i + 1 >= value.size() || value[i + 1] != QLatin1Char('@')))
            return true;
        atStart = false;
        if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            atStart = true;
        }
    }
    return false;
}

IniCheck CheckIniText(const QByteArray &raw)
{
    QByteArray body = raw;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    const QList<QByteArray> lines = body.split('\n');
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const int lineNo = int(li) + 1;
        QByteArray bytes = lines[li];
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (bytes.contains('\0'))
            return fault(lineNo, QStringLiteral("NUL byte"));
        for (char c : bytes) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 && u != '\t')
                return fault(lineNo, QStringLiteral("control character"));
        }
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = decoder.decode(bytes);
        if (decoder.hasError())
            return fault(lineNo, QStringLiteral("invalid UTF-8"));

        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
            continue;
        // The reader joins a line that ends in a backslash with the next one, and a double quote
        // outside a value opens a quoted run that swallows the lines after it: a key or section
        // name with either would hide every later key from the reader, and the rewrite at exit
        // would drop them.
        if (t.endsWith(QLatin1Char('\\')) && (t.size() < 2 || t[t.size() - 2] != QLatin1Char('\\')))
            return fault(lineNo, QStringLiteral("backslash at the end of a line"));
        if (t.startsWith(QLatin1Char('['))) {
            if (t.size() < 2 || !t.endsWith(QLatin1Char(']')))
                return fault(lineNo, QStringLiteral("section header without closing bracket"));
            // The reader files the keys of an empty section name under no section at all, and
            // the rewrite drops them.
            if (t.mid(1, t.size() - 2).trimmed().isEmpty())
                return fault(lineNo, QStringLiteral("empty section name"));
            // A group named General is written as [%General] ([General] holds the keys of no
            // group).
            const QString section = t.mid(1, t.size() - 2).trimmed();
            if (section != QLatin1String("%General") && !IsStoredName(section))
                return fault(lineNo, QStringLiteral("section name the store would not write"));
            if (t.contains(QLatin1Char('"')))
                return fault(lineNo, QStringLiteral("double quote in a section name"));
            continue;
        }
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (eq < 0)
            return fault(lineNo, QStringLiteral("line is neither a section, a key=value nor a comment"));
        if (t.left(eq).trimmed().isEmpty())
            return fault(lineNo, QStringLiteral("blank key"));
        if (t.left(eq).contains(QLatin1Char('"')))
            return fault(lineNo, QStringLiteral("double quote in a key"));
        if (!IsStoredName(t.left(eq).trimmed()))
            return fault(lineNo, QStringLiteral("key the store would not write"));
        const QString value = t.mid(eq + 1);
        int quotes = 0;
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (value[i] == QLatin1Char('\\')) {
                if (i + 1 >= value.size())
                    return fault(lineNo, QStringLiteral("backslash at the end of a line"));
                // Octal and hexadecimal escapes stand for control characters the store never
                // writes; some (a NUL in a list) read back differently after the rewrite.
                const QChar e = value[i + 1];
                if ((e >= QLatin1Char('0') && e <= QLatin1Char('7')) || e == QLatin1Char('x'))
                    return fault(lineNo, QStringLiteral("numeric escape in a value"));
                ++i;
            } else if (value[i] == QLatin1Char('"')) {
                ++quotes;
            }
        }
        if (quotes % 2 != 0)
            return fault(lineNo, QStringLiteral("unbalanced double quote"));
        if (HasTypedElement(value))
            return fault(lineNo, QStringLiteral("typed value the store would not write"));
    }
    return IniCheck{};
}

// ---------------------------------------------------------------------------------------------
// The store

SettingsStore::SettingsStore(const QString &appName)
    : m_appName(appName), m_path(SettingsFilePath(appName))
{
    if (!m_path.isEmpty())
        m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
}

SettingsStore::~SettingsStore()
{
    if (m_dirty)
        sync();
}

SettingsStore::Lookup SettingsStore::lookup(const QString &section, const QString &key, QString &text) const
{
    if (!m_settings)
        return Lookup::Missing;
    const QVariant v = m_settings->value(section + QLatin1Char('/') + key);
    if (!v.isValid())
        return Lookup::Missing;
    switch (v.typeId()) {
    case QMetaType::QString:
        text = v.toString();
        return Lookup::Text;
    case QMetaType::QStringList:
        // An unquoted comma splits a value into a list; the text was the items joined by commas.
        text = v.toStringList().join(QLatin1Char(','));
        return Lookup::Text;
    case QMetaType::QByteArray:
        text = QString::fromUtf8(v.toByteArray());
        return Lookup::Text;
    default:
        // "@Rect(...)" and the like: a value of some other program's type, not a text of ours.
        return Lookup::Unreadable;
    }
}

bool SettingsStore::contains(const QString &section, const QString &key) const
{
    return m_settings && m_settings->contains(section + QLatin1Char('/') + key);
}

QString SettingsStore::get(const QString &section, const QString &key, const QString &def) const
{
    QString text;
    return lookup(section, key, text) == Lookup::Text ? text : def;
}

bool SettingsStore::prepareWrite()
{
    if (m_writeChecked)
        return m_writeAllowed;
    m_writeChecked = true;
    m_writeAllowed = false;
    if (!m_settings)
        return false;

    QFileInfo info(m_path);
    if (!info.exists()) {
        m_writeAllowed = true;
        return true;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Settings file %s cannot be read; it is left as it is and settings are not saved",
                 qPrintable(m_path));
        return false;
    }
    const QByteArray raw = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        qWarning("Settings file %s cannot be read; it is left as it is and settings are not saved",
                 qPrintable(m_path));
        return false;
    }
    file.close();

    const IniCheck check = CheckIniText(raw);
    if (check.ok) {
        m_writeAllowed = true;
        return true;
    }

    // The rewrite would drop what the parser could not read: keep the file as it is first. The
    // same malformed content is kept once per run, however many stores write to it.
    struct Kept {
        QByteArray hash;
        QString path;
    };
    static QHash<QString, Kept> kept;
    const QByteArray hash = QCryptographicHash::hash(raw, QCryptographicHash::Sha256);
    const auto it = kept.constFind(m_path);
    if (it != kept.constEnd() && it->hash == hash && QFile::exists(it->path)) {
        m_backupPath = it->path;
        m_writeAllowed = true;
        return true;
    }

    const QString base = m_path + QStringLiteral(".corrupt-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    QFile copy(name);
    bool copied = copy.open(QIODevice::WriteOnly | QIODevice::NewOnly) && copy.write(raw) == raw.size();
    if (copy.isOpen()) {
        copied = copy.flush() && copied;
        copy.close();
    }
    if (!copied) {
        if (copy.exists())
            copy.remove();
        qWarning("Settings file %s is malformed (line %d: %s) and no copy of it could be kept; "
                 "settings are not saved",
                 qPrintable(m_path), check.line, qPrintable(check.reason));
        return false;
    }
    qWarning("Settings file %s is malformed (line %d: %s); a copy is kept as %s",
             qPrintable(m_path), check.line, qPrintable(check.reason), qPrintable(name));
    kept.insert(m_path, Kept{hash, name});
    m_backupPath = name;
    m_writeAllowed = true;
    return true;
}

bool SettingsStore::set(const QString &section, const QString &key, const QString &value)
{
    if (!prepareWrite()) {
        m_failed = true;
        return false;
    }
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_dirty = true;
    return true;
}

bool SettingsStore::setBoolean(const QString &section, const QString &key, bool value)
{
    return set(section, key, FormatBoolean(value));
}

bool SettingsStore::setNumber(const QString &section, const QString &key, std::int64_t value)
{
    return set(section, key, QString::number(qlonglong(value)));
}

bool SettingsStore::setSingle(const QString &section, const QString &key, float value)
{
    return set(section, key, FormatSingle(value));
}

bool SettingsStore::sync()
{
    if (!m_settings)
        return !m_failed;
    if (m_dirty) {
        m_settings->sync();
        m_dirty = false;
        // A format fault reported here belongs to the re-read of the old file; only an access
        // fault means the values did not reach the disk.
        if (m_settings->status() == QSettings::AccessError) {
            m_failed = true;
            qWarning("Settings could not be written to %s", qPrintable(m_path));
        }
    }
    return !m_failed;
}

template<typename T, typename Convert>
bool SettingsStore::readTyped(const QString &section, const QString &key, const T &def, T &target,
                              Convert convert) const
{
    QString text;
    switch (lookup(section, key, text)) {
    case Lookup::Missing:
        target = def;
        return true;
    case Lookup::Text:
        if (std::optional<T> v = convert(text)) {
            target = std::move(*v);
            return true;
        }
        return false;
    case Lookup::Unreadable:
        break;
    }
    return false;
}

namespace {

// The conversion of a number read: `parse`, then within [min, max].
template<typename T, typename Parse>
auto inRange(Parse parse, T min, T max)
{
    return [=](const QString &text) -> std::optional<T> {
        if (const auto v = parse(text); v && *v >= min && *v <= max)
            return T(*v);
        return std::nullopt;
    };
}

} // namespace

bool SettingsStore::readBoolean(const QString &section, const QString &key, bool def, bool &target) const
{
    return readTyped(section, key, def, target, ParseBoolean);
}

bool SettingsStore::readBoolean(const QString &section, const QString &key, std::int16_t def,
                                std::int16_t &target) const
{
    bool value = false;
    if (!readBoolean(section, key, def != 0, value))
        return false;
    target = value ? -1 : 0;
    return true;
}

bool SettingsStore::readInteger(const QString &section, const QString &key, std::int16_t def,
                                std::int16_t &target, std::int16_t min, std::int16_t max) const
{
    return readTyped(section, key, def, target, inRange(ParseInteger, min, max));
}

bool SettingsStore::readLong(const QString &section, const QString &key, std::int32_t def,
                             std::int32_t &target, std::int32_t min, std::int32_t max) const
{
    return readTyped(section, key, def, target, inRange(ParseLong, min, max));
}

bool SettingsStore::readColour(const QString &section, const QString &key, Colour def, Colour &target) const
{
    return readTyped(section, key, def, target, inRange(ParseLong, std::int32_t(0), std::int32_t(0xFFFFFF)));
}

bool SettingsStore::readSingle(const QString &section, const QString &key, float def, float &target,
                               float min, float max) const
{
    return readTyped(section, key, def, target, inRange(ParseSingle, min, max));
}

bool SettingsStore::readString(const QString &section, const QString &key, const QString &def,
                               QString &target, int maxLength) const
{
    return readTyped(section, key, def, target, [maxLength](const QString &text) -> std::optional<QString> {
        if (text.size() > maxLength)
            return std::nullopt;
        for (const QChar c : text) {
            if (c.category() == QChar::Other_Control)
                return std::nullopt;
        }
        return text;
    });
}

// ---------------------------------------------------------------------------------------------

QString GetSetting(const QString &appName, const QString &section, const QString &key, const QString &def)
{
    return SettingsStore(appName).get(section, key, def);
}

bool SaveSetting(const QString &appName, const QString &section, const QString &key, const QString &value)
{
    SettingsStore store(appName);
    const bool accepted = store.set(section, key, value);
    return store.sync() && accepted;
}

} // namespace orv
