#include "model/DescriptionSource.h"

#include <array>

namespace {

constexpr std::array<const char16_t *, 4> rawValues { u"imported", u"generated", u"manual",
    u"none" };

} // namespace

QString rawValue(DescriptionSource source)
{
    return QString::fromUtf16(rawValues[static_cast<size_t>(source)]);
}

std::optional<DescriptionSource> descriptionSourceFromRawValue(QStringView text)
{
    for (size_t i = 0; i < rawValues.size(); ++i) {
        if (text == QStringView(rawValues[i]))
            return static_cast<DescriptionSource>(i);
    }
    return std::nullopt;
}
