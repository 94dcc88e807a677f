#pragma once

#include "import/ImportCueList.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The cue lists that the import script command hands over as JSON: one object with
// "workspaceName" (text) and "cueLists" (array of cue lists in the form ImportCueList reads).
// Both keys are required; other keys are ignored.
struct ImportData
{
    QString workspaceName;
    QList<ImportCueList> cueLists;

    // Nothing for bytes that are not that JSON, down to any single value of another kind or any
    // text with a broken character.
    static std::optional<ImportData> fromJson(const QByteArray &json);
};
