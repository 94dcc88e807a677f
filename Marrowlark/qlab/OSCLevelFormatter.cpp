#include "qlab/OSCLevelFormatter.h"

#include "model/ActionTextLayout.h"
#include "qlab/OSCValue.h"

using namespace Qt::StringLiterals;

namespace {

QString wholeDB(double level)
{
    return QString::number(OSCValue::rounded(level));
}

QString mediaLevels(const QString &kind, const QString &name,
    const QList<OSCCueLevels::Output> &outputs, double master)
{
    QStringList lines;
    lines.append(name.isEmpty() ? kind : kind + u" \""_s + name + u'"');
    lines.append(ActionTextLayout::parameterIndent.toString() + u"master "_s + wholeDB(master));
    for (const QString &range : OSCLevelFormatter::formatCrosspointRanges(outputs))
        lines.append(ActionTextLayout::parameterIndent.toString() + range);
    return lines.join(u'\n');
}

} // namespace

QStringList OSCLevelFormatter::formatCrosspointRanges(const QList<OSCCueLevels::Output> &outputs)
{
    QStringList texts;
    qsizetype i = 0;
    while (i < outputs.size()) {
        const qint64 level = OSCValue::rounded(outputs.at(i).level);
        qsizetype last = i;
        while (last + 1 < outputs.size()
            && qint64(outputs.at(last + 1).channel) == qint64(outputs.at(last).channel) + 1
            && OSCValue::rounded(outputs.at(last + 1).level) == level)
            ++last;
        const QString first = QString::number(outputs.at(i).channel);
        const QString range
            = last == i ? first : first + u'-' + QString::number(outputs.at(last).channel);
        texts.append(u'<' + range + u"> "_s + QString::number(level));
        i = last + 1;
    }
    return texts;
}

QString OSCLevelFormatter::formatAudioLevels(
    const QString &name, const QList<OSCCueLevels::Output> &outputs, double master)
{
    return mediaLevels(u"Audio"_s, name, outputs, master);
}

QString OSCLevelFormatter::formatVideoLevels(
    const QString &name, const QList<OSCCueLevels::Output> &outputs, double master)
{
    return mediaLevels(u"Video"_s, name, outputs, master);
}

QStringList OSCLevelFormatter::formatFadeLevelLines(const QList<FadeOSCParams::Level> &levels)
{
    QStringList masters;
    QList<OSCCueLevels::Output> mainRow;
    QStringList inputs;
    for (const FadeOSCParams::Level &entry : levels) {
        if (entry.row < 0 || entry.col < 0)
            continue;
        const QString level = wholeDB(entry.level);
        if (entry.row == 0 && entry.col == 0)
            masters.append(u"master "_s + level);
        else if (entry.row == 0)
            mainRow.append({ entry.col, entry.level });
        else if (entry.col == 0)
            inputs.append(u"in <"_s + QString::number(entry.row) + u"> "_s + level);
        else
            inputs.append(u"in <"_s + QString::number(entry.row) + u"> \u2192 out <"_s
                + QString::number(entry.col) + u"> "_s + level);
    }
    return masters + formatCrosspointRanges(mainRow) + inputs;
}
