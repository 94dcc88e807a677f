#include "qlab/OSCCueData.h"

#include "model/DecimalText.h"

QStringList OSCCueData::rowStrings() const
{
    return { type, number, name, action, notes, trigger, qlabCueID, fixedDecimal(preWait, 2),
        fixedDecimal(postWait, 2) };
}
