// Design-time geometry: the windows are laid out in twips, as their designers stated them, and each front end
// turns them into pixels here, so both place every control alike.
#pragma once

namespace quillbay::design {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kDesignDpi;  // 15

// Pixels at `dpi` logical dots per inch, rounded to the nearest.
constexpr int toPixels(int twips, int dpi = kDesignDpi) {
    return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;

    bool operator==(const PixelRect&) const = default;
};

constexpr PixelRect toPixels(const TwipsRect& r, int dpi = kDesignDpi) {
    return {toPixels(r.left, dpi), toPixels(r.top, dpi), toPixels(r.width, dpi), toPixels(r.height, dpi)};
}

}  // namespace quillbay::design
