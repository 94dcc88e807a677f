#include "import/CueTypeScanResult.h"

#include <algorithm>

CueTypeScanResult CueTypeScanResult::scan(const QList<OSCCueData> &cues)
{
    CueTypeScanResult result;
    for (const OSCCueData &cue : cues) {
        const QString kind = cue.type.section(u' ', 0, 0, QString::SectionSkipEmpty);
        const QString first = kind.isEmpty() ? cue.type : kind;
        if (first == u"Audio")
            ++result.audio;
        else if (first == u"Video")
            ++result.video;
        else if (first == u"Fade")
            ++result.fade;
        else if (first == u"Group")
            ++result.group;
        else if (first == u"MIDI")
            ++result.midi;
        else
            ++result.other;
    }
    result.total
        = result.audio + result.video + result.fade + result.group + result.midi + result.other;
    return result;
}

double CueTypeScanResult::estimatedSeconds() const
{
    return std::max(
        2.0, 0.02 * total + 0.2 * (audio + video) + 0.3 * fade + 0.05 * (group + midi + other));
}
