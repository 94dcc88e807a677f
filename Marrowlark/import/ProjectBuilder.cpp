#include "import/ProjectBuilder.h"

#include "import/CueRowConverter.h"

namespace ProjectBuilder {

QLabProject projectFromImport(const QString &importedName, const QList<ImportCueList> &lists)
{
    QList<QLabCueList> cueLists;
    cueLists.reserve(lists.size());
    for (const ImportCueList &imported : lists) {
        QLabCueList list;
        list.id = QUuid::createUuid();
        list.name = imported.name;
        list.cues.reserve(imported.cues.size());
        for (const QStringList &row : imported.cues) {
            if (std::optional<QLabCue> cue = CueRowConverter::cueFromRow(row))
                list.cues.append(std::move(*cue));
        }
        cueLists.append(std::move(list));
    }
    return QLabProject::created(importedName, std::move(cueLists));
}

} // namespace ProjectBuilder
