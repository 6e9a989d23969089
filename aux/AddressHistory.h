// The web browser's address list: every visited address once, most recent first.
#pragma once

#include <QStringList>

namespace orv {

// Where a finished navigation puts its address: the first equal entry (in list order) is
// removed and the address goes to position 0.
void RecordVisitedAddress(QStringList &list, const QString &address);

} // namespace orv
