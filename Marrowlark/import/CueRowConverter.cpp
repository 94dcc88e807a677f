#include "import/CueRowConverter.h"

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
    if (row.size() < 6)
        return std::nullopt;
    QLabCue cue;
    cue.id = QUuid::createUuid();
    cue.type = cueTypeFromTypeString(row[0]);
    cue.number = row[1];
    cue.name = row[2];
    cue.action = row[3];
    cue.notes = row[4];
    cue.trigger = row[5];
    if (row.size() > 6 && !row[6].isEmpty())
        cue.qlabCueID = row[6];
    cue.originalNotes = row[4];
    cue.fullTypeName = row[0];
    cue.preWait = row.size() > 7 ? waitSeconds(row[7]) : 0;
    cue.postWait = row.size() > 8 ? waitSeconds(row[8]) : 0;
    cue.descriptionSource = DescriptionSource::none;
    return cue;
}

} // namespace CueRowConverter
