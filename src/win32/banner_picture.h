// The main window's banner: the raw pictures the program carries as resources, painted at the banner's
// own size for the window's resolution, its transparent corners letting the window show through.
#pragma once

#include <windows.h>

namespace quillbay::win32 {

class BannerPicture {
public:
    // Reads both sizes from `module`'s resources; a missing one is simply not painted.
    explicit BannerPicture(HMODULE module);
    ~BannerPicture();
    BannerPicture(const BannerPicture&) = delete;
    BannerPicture& operator=(const BannerPicture&) = delete;

    // At the top-left corner (`x`, `y`) of a window at `dpi`.
    void paint(HDC dc, int x, int y, UINT dpi) const;

private:
    struct Bitmap {
        HBITMAP handle = nullptr;
        int width = 0;
        int height = 0;
    };
    static Bitmap load(HMODULE module, int id, int width, int height);

    Bitmap normal_;
    Bitmap double_;
};

}  // namespace quillbay::win32
