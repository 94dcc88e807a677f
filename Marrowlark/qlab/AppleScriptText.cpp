#include "qlab/AppleScriptText.h"

QString AppleScriptText::stringLiteral(QStringView text)
{
    QString literal;
    literal.reserve(text.size() + 2);
    literal += u'"';
    for (QChar c : text) {
        if (c == u'\\' || c == u'"')
            literal += u'\\';
        literal += c;
    }
    literal += u'"';
    return literal;
}
