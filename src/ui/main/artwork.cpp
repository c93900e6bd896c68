#include "ui/main/artwork.h"

// The pictures live in a static library; naming their initialiser keeps the linker from dropping them.
static void loadArtwork() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(quillbay);
        return true;
    }();
    (void)loaded;
}

namespace quillbay {

QIcon globeIcon() {
    loadArtwork();
    QIcon icon;
    icon.addFile(QStringLiteral(":/quillbay/globe32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/quillbay/globe16.png"), QSize(16, 16));
    return icon;
}

QPixmap bannerPicture(qreal devicePixelRatio) {
    loadArtwork();
    if (devicePixelRatio > 1.0) {
        QPixmap sharp(QStringLiteral(":/quillbay/banner@2x.gif"));
        sharp.setDevicePixelRatio(2.0);
        return sharp;
    }
    return QPixmap(QStringLiteral(":/quillbay/banner.gif"));
}

}  // namespace quillbay
