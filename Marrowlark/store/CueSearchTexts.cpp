#include "store/CueSearchTexts.h"

#include <QStringMatcher>

#include <algorithm>

namespace {

// The cue's texts and its members', each ended by a null so that no match spans two of them.
void appendSearchedText(QString &text, const QLabCue &cue)
{
    const auto add = [&text](const QLabCue &c) {
        for (const QString *field : { &c.number, &c.name, &c.notes, &c.action }) {
            text += field->toCaseFolded();
            text += QChar::Null;
        }
    };
    add(cue);
    for (const QLabCue &child : cue.children)
        add(child);
}

} // namespace

CueSearchTexts::CueSearchTexts(const QList<QLabCue> &cues)
{
    m_starts.reserve(cues.size());
    for (const QLabCue &cue : cues) {
        m_starts.append(m_texts.size());
        appendSearchedText(m_texts, cue);
    }
}

void CueSearchTexts::appendCue(const QLabCue &cue)
{
    m_starts.append(m_texts.size());
    appendSearchedText(m_texts, cue);
}

void CueSearchTexts::replaceCue(qsizetype index, const QLabCue &cue)
{
    QString text;
    appendSearchedText(text, cue);
    const qsizetype start = m_starts[index];
    const qsizetype end = index + 1 < m_starts.size() ? m_starts[index + 1] : m_texts.size();
    m_texts.replace(start, end - start, text);
    const qsizetype shift = text.size() - (end - start);
    for (qsizetype i = index + 1; i < m_starts.size(); ++i)
        m_starts[i] += shift;
}

QList<bool> CueSearchTexts::matching(const QString &search) const
{
    QList<bool> found(m_starts.size(), false);
    const QStringMatcher matcher(search.toCaseFolded());
    qsizetype at = matcher.indexIn(m_texts);
    while (at >= 0) {
        const auto next = std::upper_bound(m_starts.cbegin(), m_starts.cend(), at);
        found[next - m_starts.cbegin() - 1] = true;
        if (next == m_starts.cend())
            break;
        at = matcher.indexIn(m_texts, *next);
    }
    return found;
}
