// Number conversions with the program's rules: doubles become integers by rounding to the
// nearest integer, halves to the even neighbour; a value outside the target type fails.
#pragma once

#include <QString>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace orv {

// Nearest integer, ties to even.
inline double RoundHalfEven(double v)
{
    return std::nearbyint(v);   // the default rounding mode rounds halves to even
}

inline std::optional<std::int16_t> ToInt16(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = RoundHalfEven(v);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return std::int16_t(r);
}

inline std::optional<std::int32_t> ToInt32(double v)
{
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = RoundHalfEven(v);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(r);
}

// Rounding that saturates instead of failing, for geometry that is clamped anyway.
inline int CInt(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = RoundHalfEven(v);
    if (r < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (r > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return int(r);
}

// The leading number of a text ("12abc" gives 12, "  3.5x" gives 3.5, "abc" and "" give 0),
// as the program's numeric text boxes read their contents.
double LeadingNumber(const QString &text);

} // namespace orv
