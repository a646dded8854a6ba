// Window places, control sizes and the settings file's window keys are twips.
#pragma once

#include <cmath>

namespace Twips {

inline constexpr int PerPixel = 15;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / PerPixel));
}

inline double fromPixels(int pixels)
{
    return static_cast<double>(pixels) * PerPixel;
}

} // namespace Twips
