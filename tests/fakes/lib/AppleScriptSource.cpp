#include "AppleScriptSource.h"

std::optional<QString> AppleScriptSource::stringLiteral(QStringView source, qsizetype *position)
{
    qsizetype at = *position;
    if (at >= source.size() || source.at(at) != u'"')
        return std::nullopt;
    QString text;
    for (++at; at < source.size(); ++at) {
        const QChar c = source.at(at);
        if (c == u'"') {
            *position = at + 1;
            return text;
        }
        if (c != u'\\') {
            text += c;
            continue;
        }
        if (++at == source.size())
            return std::nullopt;
        switch (source.at(at).unicode()) {
        case u'n':
            text += u'\n';
            break;
        case u't':
            text += u'\t';
            break;
        case u'r':
            text += u'\r';
            break;
        case u'"':
        case u'\\':
            text += source.at(at);
            break;
        default:
            // AppleScript refuses to compile any other escape.
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<QString> AppleScriptSource::stringAfter(QStringView source, QStringView prefix)
{
    const qsizetype found = source.indexOf(prefix);
    if (found < 0)
        return std::nullopt;
    qsizetype position = found + prefix.size();
    return stringLiteral(source, &position);
}

std::optional<QStringList> AppleScriptSource::listAfter(QStringView source, QStringView prefix)
{
    const qsizetype found = source.indexOf(prefix);
    if (found < 0)
        return std::nullopt;
    qsizetype position = found + prefix.size();
    if (position >= source.size() || source.at(position) != u'{')
        return std::nullopt;
    ++position;
    QStringList items;
    while (position < source.size()) {
        while (position < source.size() && source.at(position) == u' ')
            ++position;
        if (position < source.size() && source.at(position) == u'}')
            return items;
        const std::optional<QString> item = stringLiteral(source, &position);
        if (!item)
            return std::nullopt;
        items.append(*item);
        while (position < source.size() && source.at(position) == u' ')
            ++position;
        if (position < source.size() && source.at(position) == u',')
            ++position;
        else if (position < source.size() && source.at(position) != u'}')
            return std::nullopt;
    }
    return std::nullopt;
}
