#include "controls/Rounding.h"

#include <cmath>

namespace Rounding {

int halfEven(double x)
{
    const double floor = std::floor(x);
    const double fraction = x - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return static_cast<int>(result);
}

int halve(double x)
{
    return halfEven(x) / 2; // integer division truncates towards zero
}

} // namespace Rounding
