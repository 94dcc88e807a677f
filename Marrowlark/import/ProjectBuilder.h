#pragma once

#include "import/ImportCueList.h"
#include "model/QLabProject.h"

// Builds the new project of an import (from QLab or from a script command).
namespace ProjectBuilder {

// One cue list per imported list, in order; rows that make no cue are left out, and a list left
// without cues stays. New ids, both dates now, format "1.0".
QLabProject projectFromImport(const QString &importedName, const QList<ImportCueList> &lists);

} // namespace ProjectBuilder
