#pragma once

namespace tallivor {

// Window geometry is designed in twips; Qt lays out in device-independent pixels, 15 twips each.
inline constexpr int twipsPerPixel = 15;

constexpr double toTwips(double pixels)
{
    return pixels * twipsPerPixel;
}
constexpr int toPixels(int twips)
{
    return (twips >= 0 ? twips + twipsPerPixel / 2 : twips - twipsPerPixel / 2) / twipsPerPixel;
}

} // namespace tallivor
