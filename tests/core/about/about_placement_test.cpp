#include "core/about/about_placement.h"

#include <gtest/gtest.h>

namespace quillbay::aboutlayout {
namespace {

// A frame 3 px of border each side and 23 px of title bar around a 382 x 237 client area (5730 x 3555 twips).
constexpr design::PixelRect kFrame{-3, -26, 388, 266};

TEST(AboutPlacement, OpensAtItsDesignOffsetKeptInsideTheWorkArea) {
    struct Case { const char* what; PixelPoint mainClient; int dpi; design::PixelRect work; PixelPoint expected; };
    const Case cases[] = {
        // 1575 x 1185 twips are 105 x 79 px at 96 dpi, 158 x 119 at 144 dpi.
        {"design offset", {51, 50}, 96, {0, 0, 1280, 1024}, {51 + 105 - 3, 50 + 79 - 26}},
        {"scaled", {51, 50}, 144, {0, 0, 1920, 1080}, {51 + 158 - 3, 50 + 119 - 26}},
        {"off the right edge", {1000, 50}, 96, {0, 0, 1280, 1024}, {1280 - 388, 50 + 79 - 26}},
        {"off the bottom, above a task bar", {51, 900}, 96, {0, 0, 1280, 984}, {51 + 105 - 3, 984 - 266}},
        {"main window left of a second monitor", {-400, 10}, 96, {-1280, 0, 1280, 1024}, {-1280 + 892, 63}},
        {"work area not at the origin", {-300, -300}, 96, {100, 40, 1180, 984}, {100, 40}},
        {"work area smaller than About", {51, 50}, 96, {0, 0, 300, 200}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(aboutFramePosition(c.mainClient, kFrame, c.dpi, c.work), c.expected) << c.what;
}

}  // namespace
}  // namespace quillbay::aboutlayout
