#include "dialogs/NewImageRules.h"

#include "base/Conversions.h"

namespace orv {

namespace {

constexpr int PresetSides[NewImagePresetCount][2] = {
    {320, 200}, {400, 300}, {640, 400}, {640, 480}, {800, 600}, {1024, 768}, {640, 70},
};

} // namespace

QString NewImagePresetText(int index)
{
    if (index < 0 || index >= NewImagePresetCount)
        return {};
    return QStringLiteral("%1 X %2").arg(PresetSides[index][0]).arg(PresetSides[index][1]);
}

std::optional<QSize> NewImagePresetSize(int index)
{
    if (index < 0 || index >= NewImagePresetCount)
        return std::nullopt;
    return QSize(PresetSides[index][0], PresetSides[index][1]);
}

std::optional<QSize> ParseCustomImageSize(const QString &widthText, const QString &heightText)
{
    const double w = LeadingNumber(widthText);
    const double h = LeadingNumber(heightText);
    if (!(w >= NewImageMinSide && w <= NewImageMaxSide && h >= NewImageMinSide && h <= NewImageMaxSide))
        return std::nullopt;
    return QSize(*ToInt16(w), *ToInt16(h));
}

} // namespace orv
