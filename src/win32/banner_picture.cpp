#include "win32/banner_picture.h"

#include <cstdint>
#include <cstring>

#include "core/main_window/main_form_layout.h"
#include "core/twips.h"
#include "win32/resource_ids.h"

namespace quillbay::win32 {

BannerPicture::BannerPicture(HMODULE module)
    : normal_(load(module, QUILLBAY_BANNER, mainlayout::kBannerWidth, mainlayout::kBannerHeight)),
      double_(load(module, QUILLBAY_BANNER_2X, 2 * mainlayout::kBannerWidth, 2 * mainlayout::kBannerHeight)) {}

BannerPicture::~BannerPicture() {
    for (HBITMAP bitmap : {normal_.handle, double_.handle})
        if (bitmap) DeleteObject(bitmap);
}

BannerPicture::Bitmap BannerPicture::load(HMODULE module, int id, int width, int height) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource) return {};
    const std::size_t size = static_cast<std::size_t>(width) * height * 4;
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* rgba = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!rgba || SizeofResource(module, resource) != size) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as stored
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return {};
    // Stored as premultiplied RGBA; AlphaBlend wants premultiplied BGRA.
    auto* bgra = static_cast<std::uint8_t*>(bits);
    for (std::size_t i = 0; i < size; i += 4) {
        bgra[i] = rgba[i + 2];
        bgra[i + 1] = rgba[i + 1];
        bgra[i + 2] = rgba[i];
        bgra[i + 3] = rgba[i + 3];
    }
    return {bitmap, width, height};
}

void BannerPicture::paint(HDC dc, int x, int y, UINT dpi) const {
    const int dpiValue = static_cast<int>(dpi);
    const Bitmap& source = dpiValue > design::kDesignDpi && double_.handle ? double_ : normal_;
    if (!source.handle) return;
    const int width = design::toPixels(mainlayout::kBannerWidth * design::kTwipsPerPixel, dpiValue);
    const int height = design::toPixels(mainlayout::kBannerHeight * design::kTwipsPerPixel, dpiValue);

    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, source.handle);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(dc, HALFTONE);
    AlphaBlend(dc, x, y, width, height, memory, 0, 0, source.width, source.height, blend);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

}  // namespace quillbay::win32
