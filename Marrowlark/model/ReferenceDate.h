#pragma once

#include <QDateTime>

// A moment as seconds since 2001-01-01 00:00:00 UTC, kept as a double so that project files
// round-trip exactly (QDateTime alone keeps only milliseconds).
struct ReferenceDate
{
    double secondsSince2001 = 0;

    static ReferenceDate now();
    static ReferenceDate fromDateTime(const QDateTime &dateTime);
    QDateTime toDateTime() const;

    friend bool operator==(const ReferenceDate &, const ReferenceDate &) = default;
};
