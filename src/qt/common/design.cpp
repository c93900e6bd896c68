#include "qt/common/design.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace quillbay::design {

namespace {

// FreeSans came closest to the original face's advance widths over the main window's captions
// (within a pixel or two, where Liberation Sans runs a few pixels wider and DejaVu Sans overflows).
constexpr const char* kFaces[] = {"MS Sans Serif", "FreeSans", "Liberation Sans", "Arial", "DejaVu Sans"};

// The first of them that is installed, alone. Given a list of families, Qt asks the desktop for its
// fallback fonts as soon as a font is first used; given one, only when a character is missing from it.
const QStringList& faces() {
    static const QStringList chosen = [] {
        QStringList all;
        for (const char* face : kFaces) all << QString::fromLatin1(face);
        const QStringList installed = QFontDatabase::families();
        for (const QString& face : all) {
            if (installed.contains(face, Qt::CaseInsensitive)) return QStringList{face};
        }
        return all;  // none of them: Qt tries each, then falls back on its own
    }();
    return chosen;
}

QFont designFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies(faces());
    font.setPixelSize(pixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QFont defaultFont() { return designFont(11, false); }
QFont boldFont() { return designFont(11, true); }
QFont titleFont() { return designFont(18, true); }

void useDefaultFontForWindows() {
    const QFont desktop = QApplication::font();
    QApplication::setFont(defaultFont());
    for (const char* kind : {"QMessageBox", "QMenu", "QTipLabel"}) QApplication::setFont(desktop, kind);
}

}  // namespace quillbay::design
