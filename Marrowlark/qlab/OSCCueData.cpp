#include "qlab/OSCCueData.h"

#include <cstdio>

namespace {

// "%.2f" in the C locale: a point as decimal separator whatever the user's locale.
QString twoDecimals(double seconds)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", seconds);
    return QString::fromLatin1(buffer);
}

} // namespace

QStringList OSCCueData::rowStrings() const
{
    return { type, number, name, action, notes, trigger, qlabCueID, twoDecimals(preWait),
        twoDecimals(postWait) };
}
