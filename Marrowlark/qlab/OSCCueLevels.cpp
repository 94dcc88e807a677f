#include "qlab/OSCCueLevels.h"

#include "qlab/OSCValue.h"

#include <QJsonArray>

#include <algorithm>

OSCCueLevels OSCCueLevels::fromMatrix(const std::optional<QJsonValue> &matrix)
{
    OSCCueLevels levels;
    if (!matrix || !matrix->isArray())
        return levels;
    const QJsonArray rows = matrix->toArray();
    if (rows.isEmpty())
        return levels;
    for (const QJsonValue &row : rows) {
        if (!row.isArray())
            return levels;
    }

    const QJsonArray main = rows.first().toArray();
    if (!main.isEmpty())
        levels.master = OSCValue::doubleValue(main.first()).value_or(0);

    qsizetype width = 0;
    for (qsizetype r = 1; r < rows.size(); ++r)
        width = std::max(width, rows.at(r).toArray().size());
    for (qsizetype c = 1; c < width && c < main.size(); ++c) {
        bool active = false;
        for (qsizetype r = 1; r < rows.size() && !active; ++r) {
            const QJsonArray row = rows.at(r).toArray();
            if (row.size() < 2 || c >= row.size())
                continue;
            const auto level = OSCValue::doubleValue(row.at(c));
            active = level && *level > -60;
        }
        if (active)
            levels.outputs.append({ int(c), OSCValue::doubleValue(main.at(c)).value_or(0) });
    }
    return levels;
}
