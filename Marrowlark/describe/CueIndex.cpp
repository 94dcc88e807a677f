#include "describe/CueIndex.h"

CueIndex::CueIndex(const QList<QLabCue> &cues)
    : m_cues(cues)
{ }

const QLabCue *CueIndex::find(const QString &) const
{
    return nullptr;
}

std::optional<QString> CueIndex::resolveTargetName(const QString &) const
{
    return std::nullopt;
}
