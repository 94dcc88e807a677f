#pragma once

#include <QLatin1String>
#include <QString>

// A position inside a JSON document, chained on the stack while a document is walked and rendered
// only when an error must name it, so that walking large documents allocates nothing for it.
struct JsonPath
{
    const JsonPath *parent = nullptr;
    QLatin1String arrayKey;
    qsizetype index = -1;

    // The element at index of the array held under arrayKey in the object at this position.
    JsonPath element(QLatin1String key, qsizetype elementIndex) const
    {
        return { this, key, elementIndex };
    }

    // "cueLists[0].cues[3]"; empty at the top level.
    QString toString() const;
};
