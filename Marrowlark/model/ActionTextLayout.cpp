#include "model/ActionTextLayout.h"

namespace ActionTextLayout {

QStringList splitLines(const QString &action)
{
    return action.split(QLatin1Char('\n'));
}

bool isParameterLine(QStringView line)
{
    return line.startsWith(parameterIndent) || line.startsWith(QLatin1Char('\t'));
}

bool isHiddenLine(QStringView line)
{
    return line.trimmed().startsWith(u"[notes:");
}

bool isWaitLine(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    return trimmed.startsWith(u"pre-wait:") || trimmed.startsWith(u"post-wait:");
}

QString nestingIndent(int level)
{
    return nestingIndentUnit.toString().repeated(qMax(0, level));
}

} // namespace ActionTextLayout
