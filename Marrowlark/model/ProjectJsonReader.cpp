#include "model/ProjectJsonReader.h"

#include "model/JsonCodingError.h"
#include "model/JsonObjectReader.h"
#include "model/LanguageManager.h"
#include "model/ProjectJsonKeys.h"

using namespace Qt::StringLiterals;
namespace Keys = ProjectJsonKeys;

namespace {

CueType readCueType(const JsonObjectReader &in)
{
    const QString text = in.string(Keys::type);
    if (const std::optional<CueType> type = cueTypeFromRawValue(text))
        return *type;
    throw JsonCodingError::unknownValue(
        in.path(), Keys::type, text, LanguageManager::choose(u"cue type"_s, u"тип реплики"_s));
}

DescriptionSource readDescriptionSource(const JsonObjectReader &in)
{
    const QString text = in.string(Keys::descriptionSource);
    if (const std::optional<DescriptionSource> source = descriptionSourceFromRawValue(text))
        return *source;
    throw JsonCodingError::unknownValue(in.path(), Keys::descriptionSource, text,
        LanguageManager::choose(u"description source"_s, u"источник описания"_s));
}

// Recursion depth is bounded by the parser's nesting limit.
QLabCue readCue(const JsonObjectReader &in)
{
    QLabCue cue;
    cue.id = in.uuid(Keys::id);
    cue.type = readCueType(in);
    cue.number = in.string(Keys::number);
    cue.name = in.string(Keys::name);
    cue.action = in.string(Keys::action);
    cue.notes = in.string(Keys::notes);
    cue.trigger = in.string(Keys::trigger);
    const QJsonArray children = in.array(Keys::children);
    cue.children.reserve(children.size());
    for (qsizetype i = 0; i < children.size(); ++i) {
        const JsonPath path = in.path().element(Keys::children, i);
        cue.children.append(readCue(JsonObjectReader::element(children, path)));
    }
    cue.notesEdited = in.boolean(Keys::notesEdited);
    cue.qlabCueID = in.optionalString(Keys::qlabCueID);
    cue.originalNotes = in.optionalString(Keys::originalNotes);
    cue.fullTypeName = in.optionalString(Keys::fullTypeName);
    cue.preWait = in.number(Keys::preWait);
    cue.postWait = in.number(Keys::postWait);
    cue.descriptionSource = readDescriptionSource(in);
    return cue;
}

QLabCueList readCueList(const JsonObjectReader &in)
{
    QLabCueList list;
    list.id = in.uuid(Keys::id);
    list.name = in.string(Keys::name);
    const QJsonArray cues = in.array(Keys::cues);
    list.cues.reserve(cues.size());
    for (qsizetype i = 0; i < cues.size(); ++i) {
        const JsonPath path = in.path().element(Keys::cues, i);
        list.cues.append(readCue(JsonObjectReader::element(cues, path)));
    }
    return list;
}

QLabProject readProject(const JsonObjectReader &in)
{
    QLabProject project;
    project.id = in.uuid(Keys::id);
    project.name = in.string(Keys::name);
    const QJsonArray lists = in.array(Keys::cueLists);
    project.cueLists.reserve(lists.size());
    for (qsizetype i = 0; i < lists.size(); ++i) {
        const JsonPath path = in.path().element(Keys::cueLists, i);
        project.cueLists.append(readCueList(JsonObjectReader::element(lists, path)));
    }
    project.exportDate = { in.number(Keys::exportDate) };
    project.lastModified = { in.number(Keys::lastModified) };
    // Read so that a file without it is refused, but never compared.
    project.formatVersion = in.string(Keys::formatVersion);
    return project;
}

} // namespace

std::optional<QLabProject> ProjectJsonReader::read(
    const QByteArray &data, QString *errorDescription)
{
    try {
        const QJsonDocument document = JsonObjectReader::parseDocument(data);
        if (!document.isObject()) {
            throw JsonCodingError(LanguageManager::choose(
                u"The file does not hold a project."_s, u"Файл не содержит проекта."_s));
        }
        const JsonPath top;
        return readProject(JsonObjectReader(document.object(), top));
    } catch (const JsonCodingError &error) {
        if (errorDescription)
            *errorDescription = error.description();
        return std::nullopt;
    }
}
