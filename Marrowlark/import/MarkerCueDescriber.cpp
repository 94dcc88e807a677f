#include "import/MarkerCueDescriber.h"

#include "model/ActionTextLayout.h"
#include "import/ImportQueries.h"
#include "qlab/OSCValue.h"

using namespace Qt::StringLiterals;

MarkerCueDescriber::MarkerCueDescriber(const ImportQueries &queries)
    : OSCCueDescriber(queries)
{ }

QCoro::Task<QString> MarkerCueDescriber::resolveTarget(QString cueID) const
{
    const std::optional<QString> label = co_await targetLabel(cueID);
    co_return label.value_or(QString());
}

QCoro::Task<QString> MarkerCueDescriber::fetchCueListName(QString cueID) const
{
    static const QStringList nameProperties { u"/listName"_s, u"/name"_s };
    for (const QString &property : nameProperties) {
        const auto name = OSCValue::text(co_await questions().answer(cueID, property));
        if (name)
            co_return *name;
    }
    co_return QString();
}

QCoro::Task<QString> MarkerCueDescriber::describeDevamp(QString cueID) const
{
    const QString target = co_await resolveTarget(cueID);
    co_return target.isEmpty() ? u"Devamp"_s
                               : u"Devamp"_s + ActionTextLayout::arrow.toString() + target;
}
