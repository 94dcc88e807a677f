#include "model/ReferenceDate.h"

#include <cmath>
#include <limits>

namespace {

// 2001-01-01T00:00:00Z in milliseconds since the Unix epoch.
constexpr qint64 referenceEpochMs = 978307200000LL;

} // namespace

ReferenceDate ReferenceDate::now()
{
    return fromDateTime(QDateTime::currentDateTimeUtc());
}

ReferenceDate ReferenceDate::fromDateTime(const QDateTime &dateTime)
{
    return { double(dateTime.toMSecsSinceEpoch() - referenceEpochMs) / 1000.0 };
}

QDateTime ReferenceDate::toDateTime() const
{
    const double ms = std::round(secondsSince2001 * 1000.0);
    if (!std::isfinite(ms) || std::fabs(ms) > double(std::numeric_limits<qint64>::max() / 2))
        return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(ms) + referenceEpochMs, Qt::UTC);
}
