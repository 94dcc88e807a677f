#pragma once

#include "qlab/QLab_OSCClient.h"
#include "qlab/WriteBackResult.h"

#include <QCoroTask>
#include <QObject>

// Writes descriptions into the notes of QLab's cues over a connection of its own. One write-back
// runs at a time; a second one waits for the first to finish. Main thread only.
class QLab_NotesWriter : public QObject
{
    Q_OBJECT

public:
    using NotePair = QLab_OSCClient::NotePair; // QLab cue ID, notes text

    static QLab_NotesWriter &shared();

    explicit QLab_NotesWriter(const QString &host = QStringLiteral("127.0.0.1"),
        quint16 port = 53000, QObject *parent = nullptr);

    enum class CueAnswer { found, notFound, denied };
    // How QLab answers the cue's type query: "ok", "denied", or anything else.
    QCoro::Task<CueAnswer> cueExists(QString cueID);
    // Connects to the open workspace named workspaceName (or the only one open), with the
    // passcode granted for it earlier in this run of the program if any, checks that the first
    // cue that can be addressed exists, sends every note in one batch and counts QLab's answers;
    // considered is the number of candidate cues the notes came from. Never throws: every
    // failure is described in the result.
    QCoro::Task<WriteBackResult> writeNotes(
        QList<NotePair> items, int considered, QString workspaceName);

signals:
    void writeFinished();

private:
    QCoro::Task<WriteBackResult> writeConnected(
        const QList<NotePair> &items, int considered, const QString &workspaceName);
    QCoro::Task<> connect(const QString &workspaceName);

    QLab_OSCClient m_oscClient;
    bool m_writing = false;
};
