#include "qlab/OSCCueLevels.h"

#include "qlab/OSCValue.h"

#include <QJsonArray>

#include <algorithm>

std::optional<OSCCueLevels> OSCCueLevels::fromMatrix(const std::optional<QJsonValue> &matrix)
{
    if (!matrix || !matrix->isArray())
        return std::nullopt;
    const QJsonArray rows = matrix->toArray();
    for (const QJsonValue &row : rows) {
        if (!row.isArray())
            return std::nullopt;
    }
    const QJsonArray main = rows.isEmpty() ? QJsonArray() : rows.first().toArray();
    const std::optional<double> master
        = main.isEmpty() ? std::nullopt : OSCValue::doubleValue(main.first());
    if (!master)
        return std::nullopt;
    OSCCueLevels levels;
    levels.master = *master;

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
