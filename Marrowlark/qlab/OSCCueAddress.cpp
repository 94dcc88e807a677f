#include "qlab/OSCCueAddress.h"

bool OSCCueAddress::isSendable(QStringView cueID)
{
    // An empty identifier would make "/cue_id//...", which OSC reads as a wildcard path.
    if (cueID.isEmpty())
        return false;
    for (QChar c : cueID) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return false;
        if (c.isSpace())
            return false;
        switch (c.unicode()) {
        case u'#':
        case u'*':
        case u',':
        case u'/':
        case u'?':
        case u'[':
        case u']':
        case u'{':
        case u'}':
            return false;
        default:
            break;
        }
    }
    return true;
}

std::optional<QString> OSCCueAddress::make(QStringView cueID, QStringView property)
{
    if (!isSendable(cueID))
        return std::nullopt;
    return QStringLiteral("/cue_id/") + cueID.toString() + property.toString();
}
