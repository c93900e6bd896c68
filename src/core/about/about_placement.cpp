#include "core/about/about_placement.h"

#include <algorithm>

namespace quillbay::aboutlayout {

namespace {

// The least move that keeps [start, start + size) inside [low, low + room); the start wins when it cannot.
int keptInside(int start, int size, int low, int room) { return std::max(low, std::min(start, low + room - size)); }

}  // namespace

PixelPoint aboutFramePosition(PixelPoint mainClientOrigin, design::PixelRect frameAroundClient, int dpi,
                              design::PixelRect workArea) {
    const int left = mainClientOrigin.x + design::toPixels(kOffsetFromMainLeft, dpi) + frameAroundClient.left;
    const int top = mainClientOrigin.y + design::toPixels(kOffsetFromMainTop, dpi) + frameAroundClient.top;
    return {keptInside(left, frameAroundClient.width, workArea.left, workArea.width),
            keptInside(top, frameAroundClient.height, workArea.top, workArea.height)};
}

}  // namespace quillbay::aboutlayout
