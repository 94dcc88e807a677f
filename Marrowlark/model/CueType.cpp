#include "model/CueType.h"

namespace {

struct CueTypeInfo
{
    CueType type;
    const char16_t *rawValue;
    double red, green, blue;
};

constexpr std::array<CueTypeInfo, cueTypeCount> cueTypeTable { {
    { CueType::audio, u"Audio", 0.30, 0.55, 0.85 },
    { CueType::video, u"Video", 0.80, 0.30, 0.30 },
    { CueType::midi, u"MIDI", 0.60, 0.40, 0.80 },
    { CueType::fade, u"Fade", 0.85, 0.55, 0.25 },
    { CueType::wait, u"Wait", 0.55, 0.55, 0.55 },
    { CueType::group, u"Group", 0.75, 0.62, 0.30 },
    { CueType::mic, u"Mic", 0.50, 0.70, 0.80 },
    { CueType::script, u"Script", 0.80, 0.45, 0.65 },
    { CueType::network, u"Network", 0.30, 0.70, 0.45 },
    { CueType::light, u"Light", 0.85, 0.75, 0.20 },
    { CueType::camera, u"Camera", 0.70, 0.35, 0.35 },
    { CueType::text, u"Text", 0.55, 0.55, 0.55 },
    { CueType::start, u"Start", 0.35, 0.65, 0.35 },
    { CueType::stop, u"Stop", 0.75, 0.30, 0.30 },
    { CueType::pause, u"Pause", 0.85, 0.55, 0.25 },
    { CueType::load, u"Load", 0.55, 0.55, 0.55 },
    { CueType::reset, u"Reset", 0.55, 0.55, 0.55 },
    { CueType::memo, u"Memo", 0.60, 0.50, 0.40 },
    { CueType::goTo, u"GoTo", 0.50, 0.60, 0.70 },
    { CueType::timecode, u"Timecode", 0.45, 0.65, 0.65 },
    { CueType::devamp, u"Devamp", 0.65, 0.45, 0.55 },
    { CueType::unknown, u"Unknown", 0.50, 0.50, 0.50 },
} };

const CueTypeInfo &info(CueType type)
{
    return cueTypeTable[static_cast<size_t>(type)];
}

} // namespace

const std::array<CueType, cueTypeCount> &allCueTypes()
{
    static const std::array<CueType, cueTypeCount> types = [] {
        std::array<CueType, cueTypeCount> result {};
        for (size_t i = 0; i < cueTypeTable.size(); ++i)
            result[i] = cueTypeTable[i].type;
        return result;
    }();
    return types;
}

QString rawValue(CueType type)
{
    return QString::fromUtf16(info(type).rawValue);
}

std::optional<CueType> cueTypeFromRawValue(QStringView text)
{
    for (const CueTypeInfo &entry : cueTypeTable) {
        if (text == QStringView(entry.rawValue))
            return entry.type;
    }
    return std::nullopt;
}

CueType cueTypeFromTypeString(QStringView text)
{
    if (const auto exact = cueTypeFromRawValue(text))
        return *exact;
    const qsizetype qualifier = text.indexOf(u" (");
    if (qualifier >= 0) {
        if (const auto kind = cueTypeFromRawValue(text.left(qualifier)))
            return *kind;
    }
    return CueType::unknown;
}

QColor cueTypeColor(CueType type)
{
    const CueTypeInfo &entry = info(type);
    return QColor::fromRgbF(float(entry.red), float(entry.green), float(entry.blue), 1.0f);
}

QString cueTypeHexColor(CueType type)
{
    const CueTypeInfo &entry = info(type);
    const auto component = [](double value) {
        return QStringLiteral("%1").arg(static_cast<int>(value * 255.0), 2, 16, QLatin1Char('0'));
    };
    return (component(entry.red) + component(entry.green) + component(entry.blue)).toUpper();
}
