#include "model/QLabCue.h"

#include <QHashFunctions>
#include <QRegularExpression>

namespace {

size_t hashOptional(const std::optional<QString> &text, size_t seed)
{
    seed = QtPrivate::QHashCombine()(seed, text.has_value());
    return text ? QtPrivate::QHashCombine()(seed, *text) : seed;
}

// Negative zero equals zero, so it must hash like zero.
size_t hashWait(double seconds, size_t seed)
{
    return QtPrivate::QHashCombine()(seed, seconds == 0 ? 0.0 : seconds);
}

} // namespace

bool operator==(const QLabCue &, const QLabCue &) = default;

size_t qHash(const QLabCue &cue, size_t seed)
{
    QtPrivate::QHashCombine combine;
    seed = combine(seed, cue.id);
    seed = combine(seed, rawValue(cue.type));
    seed = combine(seed, cue.number);
    seed = combine(seed, cue.name);
    seed = combine(seed, cue.action);
    seed = combine(seed, cue.notes);
    seed = combine(seed, cue.trigger);
    seed = combine(seed, cue.children.size());
    for (const QLabCue &child : cue.children)
        seed = qHash(child, seed);
    seed = combine(seed, cue.notesEdited);
    seed = hashOptional(cue.qlabCueID, seed);
    seed = hashOptional(cue.originalNotes, seed);
    seed = hashOptional(cue.fullTypeName, seed);
    seed = hashWait(cue.preWait, seed);
    seed = hashWait(cue.postWait, seed);
    return combine(seed, rawValue(cue.descriptionSource));
}

namespace {

QRegularExpressionMatch matchNameMarkup(const QString &notes)
{
    static const QRegularExpression markup(
        QStringLiteral("/name_([^/]+)/"), QRegularExpression::UseUnicodePropertiesOption);
    return markup.match(notes);
}

} // namespace

std::optional<QString> nameMarkup(const QString &notes)
{
    const QRegularExpressionMatch match = matchNameMarkup(notes);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

std::optional<QString> renamedNameMarkup(const QString &notes, const QString &name)
{
    const QRegularExpressionMatch match = matchNameMarkup(notes);
    if (!match.hasMatch())
        return std::nullopt;
    if (name.isEmpty())
        return (notes.left(match.capturedStart()) + notes.mid(match.capturedEnd())).trimmed();
    return notes.left(match.capturedStart(1)) + QString(name).replace(u'/', u'\u2215')
        + notes.mid(match.capturedEnd(1));
}
