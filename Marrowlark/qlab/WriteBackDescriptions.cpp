#include "qlab/WriteBackDescriptions.h"

#include "model/AppText.h"
#include "qlab/QLab_NotesWriter.h"

namespace {

QCoro::Task<> write(QList<QLab_NotesWriter::NotePair> pairs, int considered, QString workspaceName,
    QLab_NotesWriter *writer, std::function<void(const WriteBackResult &)> completion)
{
    completion(co_await writer->writeNotes(std::move(pairs), considered, workspaceName));
}

} // namespace

void writeBackDescriptions(const QList<QLabCue> &cues, const QString &workspaceName,
    QLab_NotesWriter &writer, std::function<void(const WriteBackResult &)> completion)
{
    QList<QLab_NotesWriter::NotePair> pairs;
    for (const QLabCue &cue : cues) {
        if (!cue.qlabCueID || cue.qlabCueID->isEmpty() || cue.notes.isEmpty())
            continue;
        pairs.append({ *cue.qlabCueID,
            nameMarkup(cue.notes).value_or(cue.notes) });
    }
    if (pairs.isEmpty()) {
        WriteBackResult nothing;
        nothing.errorMessage = AppText::noCuesToWrite();
        completion(nothing);
        return;
    }
    // Runs on by itself; the completion is its only report.
    write(std::move(pairs), int(cues.size()), workspaceName, &writer, std::move(completion));
}
