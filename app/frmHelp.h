// The help viewer: the help file's keyword list on the left (type to find a keyword) and the
// page on the right. One viewer serves the whole program; Contents and Search For Help On
// bring it up on the contents page or on the keyword list.
#pragma once

#include "app/HelpIndex.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace orv {

class frmHelp : public QWidget {
    Q_OBJECT
public:
    explicit frmHelp(QWidget *parent = nullptr);

    // Reads the help file; false with `error` set when it cannot be used.
    bool open(const QString &helpFile, QString *error);
    void showContents();
    // The keyword search, with `keyword` typed in and its page shown when it is a keyword.
    void showSearch(const QString &keyword = QString());

    QTextBrowser *page() const { return m_page; }
    QLineEdit *searchBox() const { return m_search; }
    QListWidget *keywordList() const { return m_list; }
    const HelpIndex &index() const { return m_index; }

private:
    void fillList(const QString &filter);
    void showKeyword(const QString &keyword);

    HelpIndex m_index;
    QLineEdit *m_search = nullptr;
    QListWidget *m_list = nullptr;
    QTextBrowser *m_page = nullptr;
};

} // namespace orv
