#pragma once

#include "model/QLabCue.h"
#include "model/ReferenceDate.h"

// One cue list: its top-level cues in QLab order.
struct QLabCueList
{
    QUuid id;
    QString name;
    QList<QLabCue> cues;

    // Top-level cues plus their direct children; grandchildren are not counted.
    int totalCueCount() const;

    friend bool operator==(const QLabCueList &, const QLabCueList &) = default;
};

size_t qHash(const QLabCueList &list, size_t seed = 0);

// One project: what a project file holds. It has no equality of its own; compare its fields.
struct QLabProject
{
    QUuid id;
    QString name;
    QList<QLabCueList> cueLists;
    ReferenceDate exportDate;
    ReferenceDate lastModified;
    QString formatVersion;

    int totalCueCount() const;

    // A project made now: a fresh id, both dates now, the current format version.
    static QLabProject created(const QString &name, QList<QLabCueList> cueLists = {});
    // The built-in sample project, named by the current language.
    static QLabProject demo();
};
