#pragma once

#include <QHashFunctions>
#include <QString>
#include <QUuid>

// One open QLab workspace offered for choice. The id is made afresh for every listing, so two
// listings of the same workspace give unequal values.
struct WorkspaceInfo
{
    QUuid id;
    QString name;

    static WorkspaceInfo named(const QString &name) { return { QUuid::createUuid(), name }; }

    friend bool operator==(const WorkspaceInfo &, const WorkspaceInfo &) = default;
};

inline size_t qHash(const WorkspaceInfo &info, size_t seed = 0)
{
    return qHashMulti(seed, info.id, info.name);
}
