#include "model/QLabProject.h"

int QLabProject::totalCueCount() const
{
    int count = 0;
    for (const QLabCueList &list : cueLists)
        count += list.totalCueCount();
    return count;
}

QLabProject QLabProject::created(const QString &name, QList<QLabCueList> cueLists)
{
    const ReferenceDate now = ReferenceDate::now();
    return QLabProject { QUuid::createUuid(), name, std::move(cueLists), now, now,
        QStringLiteral("1.0") };
}
