// The help file: a small text index beside the program that names the contents page and maps
// keywords to pages. Each line is "<keyword><TAB><page>"; the page may carry an "#anchor" and is
// relative to the index's own folder. The first entry is the contents page. Blank lines and
// lines starting with "#" are ignored.
#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace orv {

struct HelpKeyword {
    QString keyword;
    QString page;
};

class HelpIndex {
public:
    // False, with `error` describing why, when the file cannot be read or names no page.
    bool load(const QString &file, QString *error = nullptr);

    const QList<HelpKeyword> &keywords() const { return m_keywords; }
    QUrl contents() const;
    // The page of the keyword (compared without regard to letter case), else an empty URL.
    QUrl pageFor(const QString &keyword) const;
    QUrl resolve(const QString &page) const;

private:
    QString m_folder;
    QList<HelpKeyword> m_keywords;
};

// The help file to use: `configured` when it exists, else the shipped one.
QString ResolveHelpFile(const QString &configured);

} // namespace orv
