#include "import/MarkerPass.h"

#include "model/ActionTextLayout.h"
#include "qlab/CueRowPosition.h"

QString MarkerPass::indentOf(const QString &line)
{
    qsizetype length = 0;
    while (length < line.size() && line.at(length) == u' ')
        ++length;
    return line.left(length);
}

QCoro::Task<QList<QStringList>> MarkerPass::run(QList<QStringList> rows, Handler handler) const
{
    for (QStringList &row : rows) {
        if (row.size() <= CueRowPosition::action
            || !row.at(CueRowPosition::action).contains(m_containment))
            continue;
        const QStringList lines = ActionTextLayout::splitLines(row.at(CueRowPosition::action));
        QStringList result;
        bool handled = false;
        for (const QString &line : lines) {
            const QString trimmed = line.trimmed();
            const auto marker = std::find_if(m_markers.cbegin(), m_markers.cend(),
                [&](const QString &candidate) { return trimmed.startsWith(candidate); });
            if (marker == m_markers.cend()) {
                result << line;
                continue;
            }
            const Line found { indentOf(line), *marker, trimmed.mid(marker->size()), &row };
            const std::optional<QStringList> replacement = co_await handler(found);
            if (!replacement) {
                result << line;
                continue;
            }
            handled = true;
            for (const QString &text : *replacement)
                result << found.indent + text;
        }
        if (handled)
            row[CueRowPosition::action] = result.join(u'\n');
    }
    co_return rows;
}
