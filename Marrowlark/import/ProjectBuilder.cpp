#include "import/ProjectBuilder.h"

#include "import/CueRowConverter.h"

namespace ProjectBuilder {

QLabProject projectFromImport(const QString &importedName, const QList<ImportCueList> &lists)
{
    QLabProject project;
    project.id = QUuid::createUuid();
    project.name = importedName;
    project.cueLists.reserve(lists.size());
    for (const ImportCueList &imported : lists) {
        QLabCueList list;
        list.id = QUuid::createUuid();
        list.name = imported.name;
        list.cues.reserve(imported.cues.size());
        for (const QStringList &row : imported.cues) {
            if (std::optional<QLabCue> cue = CueRowConverter::cueFromRow(row))
                list.cues.append(std::move(*cue));
        }
        project.cueLists.append(std::move(list));
    }
    project.exportDate = ReferenceDate::now();
    project.lastModified = ReferenceDate::now();
    project.formatVersion = QStringLiteral("1.0");
    return project;
}

} // namespace ProjectBuilder
