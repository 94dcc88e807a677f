#pragma once

#include <QCoroTask>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The walk that every marker resolver makes over the rows of a list: in each row's action text,
// every line whose trimmed text starts with one of the resolver's markers is handed to the
// resolver, which answers with the lines that take its place (the pass puts the line's indent in
// front of each) or with nothing to keep the line. A row is rewritten only when some line was
// replaced, so untouched texts keep their exact form. Lines are handled one at a time, in order.
class MarkerPass
{
public:
    struct Line
    {
        QString indent; // the blanks in front of the marker
        QString marker; // which of the resolver's markers it is
        QString rest; // the trimmed line after the marker
        const QStringList *row = nullptr; // the row the line belongs to
    };
    using Handler = std::function<QCoro::Task<std::optional<QStringList>>(const Line &)>;

    MarkerPass(QString containment, QStringList markers)
        : m_containment(std::move(containment))
        , m_markers(std::move(markers))
    { }

    QCoro::Task<QList<QStringList>> run(QList<QStringList> rows, Handler handler) const;

    // The run of U+0020 at the start of the line (a tab ends it).
    static QString indentOf(const QString &line);

private:
    QString m_containment;
    QStringList m_markers;
};
