#include "qt/main_window/artwork.h"

#include <QImage>
#include <QResource>
#include <cstring>

// The pictures live in a static library; naming their initialiser keeps the linker from dropping them.
static void loadArtwork() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(quillbay);
        return true;
    }();
    (void)loaded;
}

namespace quillbay {

namespace {

// The pictures are carried as raw rows of premultiplied RGBA (assets/make_assets.sh writes them from the
// GIF and PNG originals), stored uncompressed: showing one is a copy, with no image plugin to look up and
// load and nothing to decode while the window starts. Null if the resource is not the expected size.
QImage rawPicture(const QString& path, QSize size) {
    loadArtwork();
    const QResource resource(path);
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression || resource.size() != bytes)
        return {};
    // Copied rather than wrapped: resource data carries no alignment promise, and QImage wants its rows aligned.
    QImage image(size, QImage::Format_RGBA8888_Premultiplied);
    std::memcpy(image.bits(), resource.data(), static_cast<std::size_t>(bytes));
    return image;
}

}  // namespace

QIcon globeIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(rawPicture(QStringLiteral(":/quillbay/globe32.rgba"), QSize(32, 32))));
    icon.addPixmap(QPixmap::fromImage(rawPicture(QStringLiteral(":/quillbay/globe16.rgba"), QSize(16, 16))));
    return icon;
}

QPixmap bannerPicture(qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        QPixmap sharp = QPixmap::fromImage(rawPicture(QStringLiteral(":/quillbay/banner@2x.rgba"), QSize(888, 142)));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
    return QPixmap::fromImage(rawPicture(QStringLiteral(":/quillbay/banner.rgba"), QSize(444, 71)));
}

}  // namespace quillbay
