#include "platform/ui/Twips.h"

#include <cmath>

namespace varn {

namespace {

double usableDpi(double dpi)
{
    return dpi > 0 && std::isfinite(dpi) ? dpi : 96.0;
}

} // namespace

int TwipsToPixels(int twips, double dpi)
{
    return int(std::lround(twips * usableDpi(dpi) / TwipsPerInch));
}

int PixelsToTwips(int pixels, double dpi)
{
    return int(std::lround(pixels * TwipsPerInch / usableDpi(dpi)));
}

} // namespace varn
