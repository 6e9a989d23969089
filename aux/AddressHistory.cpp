#include "aux/AddressHistory.h"

namespace orv {

void RecordVisitedAddress(QStringList &list, const QString &address)
{
    const qsizetype at = list.indexOf(address);
    if (at >= 0)
        list.removeAt(at);
    list.insert(0, address);
}

} // namespace orv
