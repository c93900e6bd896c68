// The pictures the main window carries: its globe icon (also the program's) and the banner.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quillbay {

QIcon globeIcon();     // 32x32 and 16x16
QPixmap bannerPicture();  // 444x71, its transparent colour already transparent

}  // namespace quillbay
