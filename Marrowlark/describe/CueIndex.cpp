#include "describe/CueIndex.h"

#include "describe/DescriptionText.h"

namespace {

QString comparable(const QString &text)
{
    return text.normalized(QString::NormalizationForm_C);
}

} // namespace

CueIndex::CueIndex(const QList<QLabCue> &cues)
    : m_cues(cues)
{
    m_firstPosition.reserve(m_cues.size() * 2);
    // Each key keeps the earliest cue that has it under any of the three rules, which is the
    // cue a walk testing every rule on one cue before the next would stop at.
    const auto remember = [this](const QString &key, qsizetype position) {
        const QString normalized = comparable(key);
        if (!m_firstPosition.contains(normalized))
            m_firstPosition.insert(normalized, position);
    };
    for (qsizetype position = 0; position < m_cues.size(); ++position) {
        const QLabCue &cue = m_cues.at(position);
        remember(cue.number, position);
        remember(cue.name, position);
        if (const QString bare = DescriptionText::stripMediaExtension(cue.name); bare != cue.name)
            remember(bare, position);
    }
}

const QLabCue *CueIndex::find(const QString &reference) const
{
    const auto found = m_firstPosition.constFind(comparable(reference));
    if (found == m_firstPosition.cend())
        return nullptr;
    return &m_cues.at(*found);
}

std::optional<QString> CueIndex::resolveTargetName(const QString &reference) const
{
    const QLabCue *cue = find(reference);
    if (!cue)
        return std::nullopt;
    if (std::optional<QString> markup = nameMarkup(cue->notes))
        return markup;
    if (cue->name.isEmpty())
        return std::nullopt;
    return DescriptionText::stripMediaExtension(cue->name);
}
