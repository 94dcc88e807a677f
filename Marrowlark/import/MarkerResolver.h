#pragma once

#include "import/MarkerCueDescriber.h"

#include <QCoroTask>
#include <QList>
#include <QStringList>

class ImportQueries;

// Replaces the markers that the OSC import leaves in the action texts of a list's rows with what
// QLab answers about the cues they name. No marker survives as raw text: when QLab cannot tell,
// the marker gives way to its header line alone ("Audio", "Fade", "Stop", "MIDI"), or to nothing
// for a wait.
class MarkerResolver
{
public:
    explicit MarkerResolver(const ImportQueries &queries)
        : m_queries(queries)
        , m_describer(queries)
    { }

    // Special markers, media levels, fades, waits: in that order, each pass over the result of
    // the one before.
    QCoro::Task<QList<QStringList>> resolveAll(QList<QStringList> rows) const;

    // Targets, MIDI, network, timecode and devamp.
    QCoro::Task<QList<QStringList>> resolveSpecialMarkers(QList<QStringList> rows) const;
    // Audio and video levels.
    QCoro::Task<QList<QStringList>> resolveMediaMarkers(QList<QStringList> rows) const;
    QCoro::Task<QList<QStringList>> resolveFadeMarkers(QList<QStringList> rows) const;
    // A group member's pre-wait and post-wait.
    QCoro::Task<QList<QStringList>> resolveWaitMarkers(QList<QStringList> rows) const;

private:
    const ImportQueries &m_queries;
    MarkerCueDescriber m_describer;
};
