#include "model/ProjectJsonReader.h"

#include "model/AppText.h"
#include "model/JsonDocumentWalk.h"
#include "model/ProjectJsonKeys.h"

#include <QSet>

using namespace Qt::StringLiterals;
namespace Keys = ProjectJsonKeys;

static_assert(ProjectJsonReader::spareCapacity >= JsonDocumentWalk::spareCapacity);

namespace {

// The keys of each object in the order a missing one is looked for; the optional ones last.
enum class CueKey {
    id,
    type,
    number,
    name,
    action,
    notes,
    trigger,
    children,
    notesEdited,
    preWait,
    postWait,
    descriptionSource,
    qlabCueID,
    originalNotes,
    fullTypeName,
};
constexpr std::array cueKeys { Keys::id, Keys::type, Keys::number, Keys::name, Keys::action,
    Keys::notes, Keys::trigger, Keys::children, Keys::notesEdited, Keys::preWait, Keys::postWait,
    Keys::descriptionSource, Keys::qlabCueID, Keys::originalNotes, Keys::fullTypeName };
const std::bitset<cueKeys.size()> optionalCueKeys { 0b111ULL << int(CueKey::qlabCueID) };

enum class CueListKey { id, name, cues };
constexpr std::array cueListKeys { Keys::id, Keys::name, Keys::cues };

enum class ProjectKey { id, name, cueLists, exportDate, lastModified, formatVersion };
constexpr std::array projectKeys { Keys::id, Keys::name, Keys::cueLists, Keys::exportDate,
    Keys::lastModified, Keys::formatVersion };

CueType readCueType(JsonFieldValue &in)
{
    const QString text = in.string();
    if (const std::optional<CueType> type = cueTypeFromRawValue(text))
        return *type;
    throw JsonCodingError::unknownValue(in.path(), in.key(), text, AppText::jsonCueTypeKind());
}

DescriptionSource readDescriptionSource(JsonFieldValue &in)
{
    const QString text = in.string();
    if (const std::optional<DescriptionSource> source = descriptionSourceFromRawValue(text))
        return *source;
    throw JsonCodingError::unknownValue(
        in.path(), in.key(), text, AppText::jsonDescriptionSourceKind());
}

// Recursion depth is bounded by the walk's nesting limit.
QLabCue readCue(JsonObjectFields &in)
{
    QLabCue cue;
    in.read(cueKeys, optionalCueKeys, [&](qsizetype key, JsonFieldValue &value) {
        switch (CueKey(key)) {
        case CueKey::id:
            cue.id = value.uuid();
            break;
        case CueKey::type:
            cue.type = readCueType(value);
            break;
        case CueKey::number:
            cue.number = value.string();
            break;
        case CueKey::name:
            cue.name = value.string();
            break;
        case CueKey::action:
            cue.action = value.string();
            break;
        case CueKey::notes:
            cue.notes = value.string();
            break;
        case CueKey::trigger:
            cue.trigger = value.string();
            break;
        case CueKey::children:
            cue.children.clear();
            value.forEachObject(
                [&](JsonObjectFields &child) { cue.children.append(readCue(child)); });
            break;
        case CueKey::notesEdited:
            cue.notesEdited = value.boolean();
            break;
        case CueKey::preWait:
            cue.preWait = value.number();
            break;
        case CueKey::postWait:
            cue.postWait = value.number();
            break;
        case CueKey::descriptionSource:
            cue.descriptionSource = readDescriptionSource(value);
            break;
        case CueKey::qlabCueID:
            cue.qlabCueID = value.optionalString();
            break;
        case CueKey::originalNotes:
            cue.originalNotes = value.optionalString();
            break;
        case CueKey::fullTypeName:
            cue.fullTypeName = value.optionalString();
            break;
        }
    });
    return cue;
}

QLabCueList readCueList(JsonObjectFields &in)
{
    QLabCueList list;
    in.read(cueListKeys, {}, [&](qsizetype key, JsonFieldValue &value) {
        switch (CueListKey(key)) {
        case CueListKey::id:
            list.id = value.uuid();
            break;
        case CueListKey::name:
            list.name = value.string();
            break;
        case CueListKey::cues:
            list.cues.clear();
            value.forEachObject([&](JsonObjectFields &cue) { list.cues.append(readCue(cue)); });
            break;
        }
    });
    return list;
}

QLabProject readProject(JsonObjectFields &in)
{
    QLabProject project;
    in.read(projectKeys, {}, [&](qsizetype key, JsonFieldValue &value) {
        switch (ProjectKey(key)) {
        case ProjectKey::id:
            project.id = value.uuid();
            break;
        case ProjectKey::name:
            project.name = value.string();
            break;
        case ProjectKey::cueLists:
            project.cueLists.clear();
            value.forEachObject(
                [&](JsonObjectFields &list) { project.cueLists.append(readCueList(list)); });
            break;
        case ProjectKey::exportDate:
            project.exportDate = { value.number() };
            break;
        case ProjectKey::lastModified:
            project.lastModified = { value.number() };
            break;
        case ProjectKey::formatVersion:
            // Read so that a file without it is refused, but never compared.
            project.formatVersion = value.string();
            break;
        }
    });
    return project;
}

// Edits, selection and undo find lists and cues by id, and would reach the first one of a
// repeated id. A hand-made or merged file may repeat them: every later one gets a fresh id (the
// QLab cue id, which names the cue in QLab, stays).
class UniqueIds
{
public:
    // Keeps id when no list or cue before it had it, else replaces it with a fresh one.
    void claim(QUuid &id)
    {
        while (m_claimed.contains(id))
            id = QUuid::createUuid();
        m_claimed.insert(id);
    }
    void claim(QList<QLabCue> &cues)
    {
        for (QLabCue &cue : cues) {
            claim(cue.id);
            claim(cue.children);
        }
    }

private:
    QSet<QUuid> m_claimed;
};

void renewRepeatedIds(QLabProject &project)
{
    UniqueIds ids;
    for (QLabCueList &list : project.cueLists) {
        ids.claim(list.id);
        ids.claim(list.cues);
    }
}

} // namespace

std::optional<QLabProject> ProjectJsonReader::read(
    const QByteArray &data, QString *errorDescription)
{
    try {
        QLabProject project = JsonDocumentWalk::read(data, AppText::jsonNotAProject(), readProject);
        renewRepeatedIds(project);
        return project;
    } catch (const JsonCodingError &error) {
        if (errorDescription)
            *errorDescription = error.description();
        return std::nullopt;
    }
}
