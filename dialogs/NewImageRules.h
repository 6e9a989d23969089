// The size rules of the new-image dialog: the seven preset sizes and the custom size check.
#pragma once

#include <QSize>
#include <QString>
#include <optional>

namespace orv {

inline constexpr int NewImagePresetCount = 7;
inline constexpr int NewImageMinSide = 1;
inline constexpr int NewImageMaxSide = 1024;

// The list text of preset `index` ("320 X 200"), empty outside 0..6.
QString NewImagePresetText(int index);
// The size of preset `index`, nothing outside 0..6.
std::optional<QSize> NewImagePresetSize(int index);

// The custom size typed as width and height: each box's leading number (0 when there is
// none) must lie within 1..1024; the result is rounded to whole pixels, halves to even.
// Nothing when either side is out of range.
std::optional<QSize> ParseCustomImageSize(const QString &widthText, const QString &heightText);

} // namespace orv
