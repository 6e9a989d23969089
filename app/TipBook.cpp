#include "app/TipBook.h"

#include "base/DataFiles.h"
#include "base/ResStrings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace orv {

TipBook::TipBook() : m_random(quint32(QDateTime::currentMSecsSinceEpoch()))
{
}

bool TipBook::LoadTips(const QString &file)
{
    if (file.isEmpty())
        return false;
    QFileInfo info(file);
    if (!info.exists() || info.isDir())
        return false;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QTextStream in(&f);
    while (!in.atEnd())
        m_tips.append(in.readLine());
    DoNextTip();
    return true;
}

void TipBook::DoNextTip()
{
    m_current = int(m_random.generateDouble() * m_tips.size() + 1);
}

QString TipFilePath()
{
    return DataFilePath(LoadResString(1241));
}

} // namespace orv
