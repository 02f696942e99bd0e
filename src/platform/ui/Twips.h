#pragma once

namespace varn {

// Lengths in the layouts are given in twips: 1440 to the logical inch.
constexpr int TwipsPerInch = 1440;

// Pixels for a length in twips at the given logical DPI (96 when no screen is known).
int TwipsToPixels(int twips, double dpi = 96.0);
int PixelsToTwips(int pixels, double dpi = 96.0);

} // namespace varn
