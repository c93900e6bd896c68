// Where About opens: as designed, its client area stands 1575 twips right of and 1185 twips below the main
// window's (their design positions differ by that much), so it covers the fields' right half and not the
// buttons the user just pressed. Both front ends place it through this, at the main window's resolution.
#pragma once

#include "core/twips.h"

namespace quillbay::aboutlayout {

inline constexpr int kOffsetFromMainLeft = 2340 - 765;  // twips, client origin to client origin
inline constexpr int kOffsetFromMainTop = 1935 - 750;

struct PixelPoint {
    int x;
    int y;

    bool operator==(const PixelPoint&) const = default;
};

// The top-left corner of About's frame on the screen, in pixels.
// `mainClientOrigin`: the main window's client origin on the screen. `frameAroundClient`: About's frame with
// its client origin at (0, 0), so its left and top are minus the border and title bar. `workArea`: the
// screen's work area that holds the main window. The frame is then moved the least that keeps it inside the
// work area; one larger than the work area keeps its top-left corner (and so its title bar) in it.
PixelPoint aboutFramePosition(PixelPoint mainClientOrigin, design::PixelRect frameAroundClient, int dpi,
                              design::PixelRect workArea);

}  // namespace quillbay::aboutlayout
