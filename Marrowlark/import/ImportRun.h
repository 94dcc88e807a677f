#pragma once

#include <QPointer>

class ImportStateMachine;

// What one import run is handed: its machine and its token. After every await a run asks
// isCurrent() before it touches the machine again: a cancel, a newer run or the machine's end
// make the run stale, and a stale run stays silent from then on.
class ImportRun
{
public:
    ImportRun(ImportStateMachine &machine, quint64 token);

    bool isCurrent() const;
    // Valid only while isCurrent().
    ImportStateMachine &machine() const { return *m_machine; }

private:
    QPointer<ImportStateMachine> m_machine;
    quint64 m_token;
};
