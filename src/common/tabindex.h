#pragma once

#include <cmath>
#include <limits>
#include <optional>
#include <QtGlobal>

// Tab index of the three parallel arrays: a 16-bit element index. Element 0 is the hidden
// template; tabs start at 1.
using TabIndex = qint16;

// `current`, `lastone` and a header's `myindex` are floats that hold whole numbers; every
// use as an index takes the nearest integer. A value outside the 16-bit range names no
// element at all.
inline std::optional<TabIndex> toTabIndex(float value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const float rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<TabIndex>::min()
        || rounded > std::numeric_limits<TabIndex>::max())
        return std::nullopt;
    return static_cast<TabIndex>(rounded);
}
