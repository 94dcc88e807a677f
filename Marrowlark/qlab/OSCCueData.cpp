#include "qlab/OSCCueData.h"

#include <charconv>

namespace {

// "%.2f" as the C locale writes it: a point as decimal separator whatever the user's locale (Qt
// sets the process locale from the desktop, so printf would write "1,50" on a Russian one), and
// every digit of a huge value (the fixed form of the largest double takes 312 characters).
QString twoDecimals(double seconds)
{
    char buffer[330];
    const std::to_chars_result written
        = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 2);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

} // namespace

QStringList OSCCueData::rowStrings() const
{
    return { type, number, name, action, notes, trigger, qlabCueID, twoDecimals(preWait),
        twoDecimals(postWait) };
}
