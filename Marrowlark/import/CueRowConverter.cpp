#include "import/CueRowConverter.h"

#include "qlab/CueRowPosition.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace CueRowConverter {

double waitSeconds(QStringView text)
{
    static const QRegularExpression decimal(
        QStringLiteral("\\A[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?\\z"),
        QRegularExpression::UseUnicodePropertiesOption);
    if (!decimal.match(text).hasMatch())
        return 0;
    bool ok = false;
    const double seconds = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(seconds) ? seconds : 0;
}

std::optional<QLabCue> cueFromRow(const QStringList &row)
{
    using namespace CueRowPosition;
    if (row.size() <= trigger)
        return std::nullopt;
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = cueTypeFromTypeString(row[type]);
    cue.number = row[number];
    cue.name = row[name];
    cue.action = row[action];
    cue.notes = row[notes];
    cue.trigger = row[trigger];
    if (row.size() > qlabCueID && !row[qlabCueID].isEmpty())
        cue.qlabCueID = row[qlabCueID];
    cue.originalNotes = row[notes];
    cue.fullTypeName = row[type];
    cue.preWait = row.size() > preWait ? waitSeconds(row[preWait]) : 0;
    cue.postWait = row.size() > postWait ? waitSeconds(row[postWait]) : 0;
    cue.descriptionSource = DescriptionSource::none;
    return cue;
}

} // namespace CueRowConverter
