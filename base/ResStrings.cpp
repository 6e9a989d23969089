#include "base/ResStrings.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

// The resources of core.qrc live in a static library; nothing else refers to them, so the
// linker would leave them out unless they are registered explicitly.
static void registerCoreResources()
{
    Q_INIT_RESOURCE(core);
}

namespace orv {

namespace {

const QString TablePath = QStringLiteral(":/orv/strings.txt");

bool isHexCode(const QString &digits)
{
    if (digits.size() != 4)
        return false;
    for (const QChar c : digits) {
        if (c.unicode() > 127 || !std::isxdigit(c.unicode()))
            return false;
    }
    return true;
}

// Decodes the escapes \n, \t, \\ and \uXXXX (four hexadecimal digits) of a table text.
// Returns false on an unknown or incomplete escape, whose backslash is then kept as it is.
bool unescape(const QString &raw, QString *out)
{
    out->clear();
    out->reserve(raw.size());
    bool ok = true;
    qsizetype i = 0;
    while (i < raw.size()) {
        const QChar c = raw.at(i);
        const QChar next = i + 1 < raw.size() ? raw.at(i + 1) : QChar();
        if (c != QLatin1Char('\\')) {
            out->append(c);
            i += 1;
        } else if (next == QLatin1Char('n')) {
            out->append(QLatin1Char('\n'));
            i += 2;
        } else if (next == QLatin1Char('t')) {
            out->append(QLatin1Char('\t'));
            i += 2;
        } else if (next == QLatin1Char('\\')) {
            out->append(QLatin1Char('\\'));
            i += 2;
        } else if (next == QLatin1Char('u') && isHexCode(raw.mid(i + 2, 4))) {
            out->append(QChar(raw.mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 6;
        } else {
            out->append(c);
            ok = false;
            i += 1;
        }
    }
    return ok;
}

QHash<int, QString> loadTable()
{
    registerCoreResources();
    QFile file(TablePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("The string table %s cannot be read", qPrintable(TablePath));
        return {};
    }
    QStringList problems;
    QHash<int, QString> table = ParseResStringTable(QString::fromUtf8(file.readAll()), &problems);
    for (const QString &problem : std::as_const(problems))
        qWarning("%s: %s", qPrintable(TablePath), qPrintable(problem));
    return table;
}

const QHash<int, QString> &table()
{
    static const QHash<int, QString> theTable = loadTable();
    return theTable;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r');
}

} // namespace

QString LoadResString(int id)
{
    return table().value(id);
}

bool HasResString(int id)
{
    return table().contains(id);
}

QList<int> ResStringIds()
{
    QList<int> ids = table().keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

QHash<int, QString> ParseResStringTable(const QString &text, QStringList *problems)
{
    QHash<int, QString> result;
    const auto report = [problems](int lineNo, const QString &message) {
        if (problems)
            problems->append(QStringLiteral("line %1: %2").arg(lineNo).arg(message));
    };

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const int lineNo = int(n) + 1;
        QString line = lines.at(n);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;

        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0) {
            report(lineNo, QStringLiteral("no TAB between id and text"));
            continue;
        }
        const QString idText = line.left(tab);
        bool digitsOnly = idText.size() == 4;
        for (const QChar c : idText)
            digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!digitsOnly) {
            report(lineNo, QStringLiteral("the id \"%1\" is not four digits").arg(idText));
            continue;
        }
        const int id = idText.toInt();
        if (id < FirstResStringId || id > LastResStringId) {
            report(lineNo, QStringLiteral("the id %1 lies outside %2 to %3")
                               .arg(id).arg(FirstResStringId).arg(LastResStringId));
            continue;
        }
        if (result.contains(id)) {
            report(lineNo, QStringLiteral("the id %1 is given a second time").arg(id));
            continue;
        }
        QString value;
        if (!unescape(line.mid(tab + 1), &value))
            report(lineNo, QStringLiteral("unknown escape in the text of %1").arg(id));
        result.insert(id, value);
    }
    return result;
}

bool ResIdFromText(const QString &text, int *id)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    // Only plain decimal notation: digits with an optional sign, fraction and exponent.
    for (const QChar c : trimmed) {
        const bool allowed = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')
            || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('e')
            || c == QLatin1Char('E');
        if (!allowed)
            return false;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return false;
    const double rounded = std::nearbyint(value);   // halves go to the even neighbour
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return false;
    if (id)
        *id = int(rounded);
    return true;
}

double LeadingValue(const QString &text)
{
    // Collect the characters of the leading number, skipping blanks wherever they stand.
    QString number;
    bool digits = false;
    bool point = false;
    bool exponent = false;
    bool exponentDigits = false;
    for (const QChar c : text) {
        if (isBlank(c))
            continue;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            number.append(c);
            if (exponent)
                exponentDigits = true;
            else
                digits = true;
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-'))
                   && (number.isEmpty() || (exponent && number.back().toLower() == QLatin1Char('e')))) {
            number.append(c);
        } else if (c == QLatin1Char('.') && !point && !exponent) {
            number.append(c);
            point = true;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digits && !exponent) {
            number.append(QLatin1Char('e'));
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    // An exponent mark without digits does not belong to the number.
    if (exponent && !exponentDigits) {
        while (!number.isEmpty() && !number.back().isDigit() && number.back() != QLatin1Char('.'))
            number.chop(1);
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

} // namespace orv
