#include "common/pageactions.h"

#include <array>

std::optional<double> zoomFactor(int level)
{
    static constexpr std::array<double, PageActions::zoomLevels> factors { 0.25, 0.5, 1.0, 1.25,
        1.5 };
    if (level < 0 || level >= PageActions::zoomLevels)
        return std::nullopt;
    return factors[static_cast<std::size_t>(level)];
}
