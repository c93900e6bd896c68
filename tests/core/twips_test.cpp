// Twips to pixels: what places every control of both front ends, at the design's 96 dpi and above it.
#include <gtest/gtest.h>

#include "core/twips.h"

namespace quillbay::design {
namespace {

TEST(Twips, RoundToTheNearestPixelAtEachDpi) {
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    const Case cases[] = {
        {0, 96, 0},      {15, 96, 1},     {7, 96, 0},      {8, 96, 1},      {7245, 96, 483}, {7590, 96, 506},
        {6660, 96, 444}, {1065, 96, 71},  {22, 96, 1},     {23, 96, 2},     {15, 144, 2},    {7245, 144, 725},
        {255, 144, 26},  {7245, 192, 966}, {285, 192, 38}, {5654, 120, 471},
    };
    for (const Case& c : cases) EXPECT_EQ(toPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    static_assert(toPixels(TwipsRect{240, 3840, 5535, 255}) == PixelRect{16, 256, 369, 17});
    static_assert(toPixels(TwipsRect{240, 3840, 5535, 255}, 192) == PixelRect{32, 512, 738, 34});
}

}  // namespace
}  // namespace quillbay::design
