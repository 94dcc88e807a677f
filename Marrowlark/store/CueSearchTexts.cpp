#include "store/CueSearchTexts.h"

#include <QStringMatcher>

#include <algorithm>

namespace {

// Short enough to fold again at once, long enough that a scan runs over long stretches.
constexpr qsizetype cuesPerChunk = 64;
constexpr qsizetype prefetchAhead = 4;

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
    m_chunks.reserve((cues.size() + cuesPerChunk - 1) / cuesPerChunk);
    for (const QLabCue &cue : cues)
        appendCue(cue);
}

void CueSearchTexts::appendCue(const QLabCue &cue)
{
    if (m_chunks.isEmpty() || m_chunks.last().starts.size() == cuesPerChunk)
        m_chunks.append(Chunk());
    Chunk &chunk = m_chunks.last();
    chunk.starts.append(chunk.text.size());
    appendSearchedText(chunk.text, cue);
}

void CueSearchTexts::markChanged(qsizetype index)
{
    m_chunks[index / cuesPerChunk].changed = true;
}

const CueSearchTexts::Chunk &CueSearchTexts::chunkOf(
    const QList<QLabCue> &cues, qsizetype index) const
{
    Chunk &chunk = m_chunks[index / cuesPerChunk];
    if (chunk.changed) {
        const qsizetype first = index - index % cuesPerChunk;
        chunk.text.clear();
        for (qsizetype i = 0; i < chunk.starts.size(); ++i) {
            chunk.starts[i] = chunk.text.size();
            appendSearchedText(chunk.text, cues[first + i]);
        }
        chunk.changed = false;
    }
    return chunk;
}

QList<bool> CueSearchTexts::matching(const QList<QLabCue> &cues, const QString &search) const
{
    const QStringMatcher matcher(search.toCaseFolded());
    QList<bool> found(cues.size(), false);
    for (qsizetype first = 0; first < cues.size(); first += cuesPerChunk) {
        const Chunk &chunk = chunkOf(cues, first);
        qsizetype at = matcher.indexIn(chunk.text);
        while (at >= 0) {
            const auto next = std::upper_bound(chunk.starts.cbegin(), chunk.starts.cend(), at);
            found[first + (next - chunk.starts.cbegin()) - 1] = true;
            if (next == chunk.starts.cend())
                break;
            // Most cues match near their start: fetch the cues ahead while this one is read.
            if (chunk.starts.cend() - next > prefetchAhead)
                __builtin_prefetch(chunk.text.constData() + next[prefetchAhead]);
            at = matcher.indexIn(chunk.text, *next);
        }
    }
    return found;
}

bool CueSearchTexts::matches(
    const QList<QLabCue> &cues, qsizetype index, const QString &search) const
{
    const Chunk &chunk = chunkOf(cues, index);
    const qsizetype i = index % cuesPerChunk;
    const qsizetype end = i + 1 < chunk.starts.size() ? chunk.starts[i + 1] : chunk.text.size();
    const QStringView text = QStringView(chunk.text).sliced(chunk.starts[i], end - chunk.starts[i]);
    return QStringMatcher(search.toCaseFolded()).indexIn(text) >= 0;
}
