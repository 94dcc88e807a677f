#pragma once

#include "model/QLabCueList.h"
#include "model/ReferenceDate.h"

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
