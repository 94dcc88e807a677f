// Feeds arbitrary bytes to the strict cue-list JSON reader; what it accepts must survive encoding
// and build a project without trouble.
#include "import/ImportCueList.h"
#include "import/ProjectBuilder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<ImportCueList> list = ImportCueList::fromJson(bytes);
    if (!list)
        return 0;
    if (ImportCueList::fromJson(list->toJson()) != list)
        std::abort();
    const QLabProject project = ProjectBuilder::projectFromImport(list->name, { *list });
    qsizetype rowsWithCue = 0;
    for (const QStringList &row : list->cues)
        rowsWithCue += row.size() >= 6 ? 1 : 0;
    if (project.cueLists.size() != 1 || project.cueLists[0].cues.size() != rowsWithCue)
        std::abort();
    return 0;
}
