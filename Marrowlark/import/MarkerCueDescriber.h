#pragma once

#include <QCoroTask>
#include <QString>
#include <QStringList>

class ImportQueries;

// One-line texts about the cues that markers name, asked of QLab through the import run's
// questions: the cue a cue targets and what a MIDI, network, timecode or devamp cue does.
// Unanswered questions only leave out their part; a cancelled run or a dropped connection ends
// the list (unlike the enrichment's describer, which carries on without the answer).
class MarkerCueDescriber
{
public:
    explicit MarkerCueDescriber(const ImportQueries &queries)
        : m_queries(queries)
    { }

    // The target's number, else its display name, list name or name; empty when none is known.
    QCoro::Task<QString> resolveTarget(QString cueID) const;
    // The cue's own name as QLab lists it, else its name; empty when none is known.
    QCoro::Task<QString> fetchCueListName(QString cueID) const;

    QCoro::Task<QString> describeMIDI(QString cueID) const;
    QCoro::Task<QString> describeNetwork(QString cueID) const;
    QCoro::Task<QString> describeTimecode(QString cueID) const;
    QCoro::Task<QString> describeDevamp(QString cueID) const;

private:
    QCoro::Task<QString> firstText(QString cueID, QStringList keys) const;

    const ImportQueries &m_queries;
};
