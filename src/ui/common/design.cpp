#include "ui/common/design.h"

#include <QStringList>

namespace quillbay::design {

namespace {

QFont designFont(int pixelSize, bool bold) {
    QFont font;
    // FreeSans came closest to the original face's advance widths over the main window's captions
    // (within a pixel or two, where Liberation Sans runs a few pixels wider and DejaVu Sans overflows).
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("FreeSans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QFont defaultFont() { return designFont(11, false); }
QFont boldFont() { return designFont(11, true); }
QFont titleFont() { return designFont(18, true); }

}  // namespace quillbay::design
