#include "model/JsonPath.h"

QString JsonPath::toString() const
{
    if (!parent)
        return {};
    QString text = parent->toString();
    if (!text.isEmpty())
        text += u'.';
    return text + arrayKey + u'[' + QString::number(index) + u']';
}
