#include "model/QLabProject.h"

int QLabProject::totalCueCount() const
{
    int count = 0;
    for (const QLabCueList &list : cueLists)
        count += list.totalCueCount();
    return count;
}
