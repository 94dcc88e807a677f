#include "qlab/OSCCueData.h"

#include "model/DecimalText.h"
#include "qlab/CueRowPosition.h"

QStringList OSCCueData::rowStrings() const
{
    QStringList row(CueRowPosition::count);
    row[CueRowPosition::type] = type;
    row[CueRowPosition::number] = number;
    row[CueRowPosition::name] = name;
    row[CueRowPosition::action] = action;
    row[CueRowPosition::notes] = notes;
    row[CueRowPosition::trigger] = trigger;
    row[CueRowPosition::qlabCueID] = qlabCueID;
    row[CueRowPosition::preWait] = fixedDecimal(preWait, 2);
    row[CueRowPosition::postWait] = fixedDecimal(postWait, 2);
    return row;
}
