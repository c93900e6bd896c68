// The pictures the main window carries: its globe icon (also the program's) and the banner.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quillbay {

QIcon globeIcon();  // 32x32 and 16x16
// 444x71 logical pixels, its transparent colour already transparent. Drawn at twice the resolution for
// screens of a device pixel ratio above 1, so it stays sharp there.
QPixmap bannerPicture(qreal devicePixelRatio = 1.0);

}  // namespace quillbay
