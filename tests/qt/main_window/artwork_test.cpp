// The program carries its pictures as raw pixels written from the committed originals; they must
// still be those pictures, pixel for pixel, or the originals were changed without running make_assets.sh.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "qt/main_window/artwork.h"

namespace quillbay {
namespace {

QImage original(const char* name) {
    const QImage image(QDir(QStringLiteral(QUILLBAY_ASSETS_DIR)).filePath(QString::fromLatin1(name)));
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage shown(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied); }

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
    }
    return count;
}

TEST(Artwork, ShowsTheCommittedPicturesPixelForPixel) {
    const QIcon icon = globeIcon();
    const struct {
        const char* file;
        QImage carried;
    } cases[] = {
        {"globe32.png", shown(icon.pixmap(QSize(32, 32), 1.0))},
        {"globe16.png", shown(icon.pixmap(QSize(16, 16), 1.0))},
        {"banner.gif", shown(bannerPicture(1.0))},
        {"banner@2x.gif", shown(bannerPicture(2.0))},
    };
    for (const auto& c : cases) {
        const QImage expected = original(c.file);
        ASSERT_FALSE(expected.isNull()) << c.file;
        ASSERT_EQ(c.carried.size(), expected.size()) << c.file;
        EXPECT_EQ(differingPixels(c.carried, expected), 0) << c.file << ": run assets/make_assets.sh";
    }
}

}  // namespace
}  // namespace quillbay
