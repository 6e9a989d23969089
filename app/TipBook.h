// The tips of the tip-of-the-day dialog: every line of the tip file is one tip, kept unchanged
// (blank lines and leading blanks included), and the next tip is drawn uniformly at random, so
// the same tip may come twice in a row.
#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace orv {

class TipBook {
public:
    // Seeds the generator from the clock.
    TipBook();
    explicit TipBook(quint32 seed) : m_random(seed) {}

    // False when the name is empty or no such file exists (the tips are then left as they
    // were). Otherwise appends every line of the file and draws the first tip.
    bool LoadTips(const QString &file);
    // CurrentTip = whole part of (random in [0, 1) x count + 1).
    void DoNextTip();

    const QStringList &Tips() const { return m_tips; }
    int CurrentTip() const { return m_current; }   // 1-based; 0 before the first draw
    // The tip shown, or nothing when there are no tips.
    bool hasTip() const { return m_current >= 1 && m_current <= m_tips.size(); }
    QString currentText() const { return hasTip() ? m_tips.at(m_current - 1) : QString(); }

private:
    QRandomGenerator m_random;
    QStringList m_tips;
    int m_current = 0;
};

// Where the program's tip file lies: beside the program, else in the installed data folder.
QString TipFilePath();

} // namespace orv
