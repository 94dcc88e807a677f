#include "model/ProjectJsonWriter.h"

#include "model/JsonCodingError.h"
#include "model/JsonTextWriter.h"
#include "model/ProjectJsonKeys.h"

#include <cmath>

namespace Keys = ProjectJsonKeys;

namespace {

// Members are written in the byte order of their keys.
class Encoder
{
public:
    explicit Encoder(qsizetype expectedBytes) { m_out.reserve(expectedBytes); }

    void project(const QLabProject &project);
    QByteArray take() { return m_out.take(); }

private:
    void cueList(const QLabCueList &list, const JsonPath &path);
    void cue(const QLabCue &cue, const JsonPath &path);
    void uuid(QLatin1String key, const QUuid &id);
    void string(QLatin1String key, const QString &text);
    void optionalString(QLatin1String key, const std::optional<QString> &text);
    void number(QLatin1String key, double value, const JsonPath &path);

    JsonTextWriter m_out;
};

void Encoder::project(const QLabProject &project)
{
    const JsonPath top;
    m_out.beginObject();
    m_out.key(Keys::cueLists);
    m_out.beginArray();
    for (qsizetype i = 0; i < project.cueLists.size(); ++i)
        cueList(project.cueLists[i], top.element(Keys::cueLists, i));
    m_out.endArray();
    number(Keys::exportDate, project.exportDate.secondsSince2001, top);
    string(Keys::formatVersion, project.formatVersion);
    uuid(Keys::id, project.id);
    number(Keys::lastModified, project.lastModified.secondsSince2001, top);
    string(Keys::name, project.name);
    m_out.endObject();
}

void Encoder::cueList(const QLabCueList &list, const JsonPath &path)
{
    m_out.beginObject();
    m_out.key(Keys::cues);
    m_out.beginArray();
    for (qsizetype i = 0; i < list.cues.size(); ++i)
        cue(list.cues[i], path.element(Keys::cues, i));
    m_out.endArray();
    uuid(Keys::id, list.id);
    string(Keys::name, list.name);
    m_out.endObject();
}

void Encoder::cue(const QLabCue &cue, const JsonPath &path)
{
    m_out.beginObject();
    string(Keys::action, cue.action);
    m_out.key(Keys::children);
    m_out.beginArray();
    for (qsizetype i = 0; i < cue.children.size(); ++i)
        this->cue(cue.children[i], path.element(Keys::children, i));
    m_out.endArray();
    string(Keys::descriptionSource, rawValue(cue.descriptionSource));
    optionalString(Keys::fullTypeName, cue.fullTypeName);
    uuid(Keys::id, cue.id);
    string(Keys::name, cue.name);
    string(Keys::notes, cue.notes);
    m_out.key(Keys::notesEdited);
    m_out.boolean(cue.notesEdited);
    string(Keys::number, cue.number);
    optionalString(Keys::originalNotes, cue.originalNotes);
    number(Keys::postWait, cue.postWait, path);
    number(Keys::preWait, cue.preWait, path);
    optionalString(Keys::qlabCueID, cue.qlabCueID);
    string(Keys::trigger, cue.trigger);
    string(Keys::type, rawValue(cue.type));
    m_out.endObject();
}

void Encoder::uuid(QLatin1String key, const QUuid &id)
{
    m_out.key(key);
    m_out.string(QString::fromLatin1(id.toByteArray(QUuid::WithoutBraces).toUpper()));
}

void Encoder::string(QLatin1String key, const QString &text)
{
    m_out.key(key);
    m_out.string(text);
}

void Encoder::optionalString(QLatin1String key, const std::optional<QString> &text)
{
    if (text)
        string(key, *text);
}

void Encoder::number(QLatin1String key, double value, const JsonPath &path)
{
    if (!std::isfinite(value))
        throw JsonCodingError::notFinite(path, key);
    m_out.key(key);
    m_out.number(value);
}

} // namespace

std::optional<QByteArray> ProjectJsonWriter::write(
    const QLabProject &project, QString *errorDescription)
{
    // Roughly what a cue of an imported show takes, so that large projects grow the buffer rarely.
    constexpr qsizetype bytesPerCue = 640;
    try {
        Encoder encoder(1024 + bytesPerCue * project.totalCueCount());
        encoder.project(project);
        return encoder.take();
    } catch (const JsonCodingError &error) {
        if (errorDescription)
            *errorDescription = error.description();
        return std::nullopt;
    }
}
