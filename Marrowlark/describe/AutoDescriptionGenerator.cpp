#include "describe/AutoDescriptionGenerator.h"

#include "describe/CueIndex.h"

AutoDescriptionGenerator &AutoDescriptionGenerator::shared()
{
    static AutoDescriptionGenerator generator;
    return generator;
}

QString AutoDescriptionGenerator::generateDescription(
    const QLabCue &cue, const QList<QLabCue> &allCues) const
{
    return generateDescription(cue, CueIndex(allCues));
}

QString AutoDescriptionGenerator::generateDescription(const QLabCue &, const CueIndex &) const
{
    return {};
}

std::optional<QString> AutoDescriptionGenerator::nameMarkup(const QString &)
{
    return std::nullopt;
}
