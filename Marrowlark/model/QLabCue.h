#pragma once

#include "model/CueType.h"
#include "model/DescriptionSource.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// One cue; a group cue carries its members in children.
struct QLabCue
{
    QUuid id;
    CueType type = CueType::unknown;
    QString number;
    QString name;
    QString action;
    QString notes;
    QString trigger;
    QList<QLabCue> children;
    bool notesEdited = false;
    std::optional<QString> qlabCueID;
    std::optional<QString> originalNotes;
    std::optional<QString> fullTypeName;
    double preWait = 0;
    double postWait = 0;
    DescriptionSource descriptionSource = DescriptionSource::none;

    bool isGroup() const { return type == CueType::group; }

    // Defined out of line: defaulted here, Qt's test for an operator== of QList<QLabCue> would
    // meet an incomplete QLabCue and delete QLabCueList's equality.
    friend bool operator==(const QLabCue &, const QLabCue &);
};

size_t qHash(const QLabCue &cue, size_t seed = 0);

// The user's own name for a cue: the first "/name_.../" in its notes, as written. Such a cue keeps
// that name in place of a generated description.
std::optional<QString> nameMarkup(const QString &notes);
// The notes with the first name markup renamed to name and everything around it kept; an empty
// name drops the markup. Nothing when the notes carry no markup. A slash, which would end the
// markup early, becomes the division slash that looks the same.
std::optional<QString> renamedNameMarkup(const QString &notes, const QString &name);
