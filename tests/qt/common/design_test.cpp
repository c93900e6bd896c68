// The design fonts standing in for MS Sans Serif.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRawFont>
#include <QStringList>
#include <QTextLayout>
#include <QToolTip>

#include "qt/common/design.h"

namespace quillbay::design {
namespace {

TEST(DesignFonts, ElevenPixelsRegularAndBoldEighteenForTheTitle) {
    EXPECT_EQ(defaultFont().pixelSize(), 11);
    EXPECT_FALSE(defaultFont().bold());
    EXPECT_EQ(boldFont().pixelSize(), 11);
    EXPECT_TRUE(boldFont().bold());
    EXPECT_EQ(titleFont().pixelSize(), 18);
    EXPECT_TRUE(titleFont().bold());
}

// The setup script installs FreeSans; where it is missing the fonts fall back rather than fail.
TEST(DesignFonts, UseFreeSansWhereInstalled) {
    const QString family = QFontInfo(defaultFont()).family();
    if (!QFontDatabase::families().contains(QStringLiteral("FreeSans"))) {
        GTEST_SKIP() << "FreeSans not installed; fell back to " << family.toStdString();
    }
    EXPECT_EQ(family, QStringLiteral("FreeSans"));
    EXPECT_EQ(QFontInfo(boldFont()).family(), QStringLiteral("FreeSans"));
}

// The face is named alone, so Qt looks for other fonts only when a character is missing from it; one
// that is missing must still be drawn from whichever installed font has it.
TEST(DesignFonts, CharactersTheFaceLacksComeFromAnotherFont) {
    const QChar placeOfInterest(0x2318);
    if (QRawFont::fromFont(defaultFont()).supportsCharacter(placeOfInterest)) GTEST_SKIP() << "the face has it";
    bool elsewhere = false;
    for (const QString& family : QFontDatabase::families()) {
        elsewhere = elsewhere || QRawFont::fromFont(QFont(family)).supportsCharacter(placeOfInterest);
    }
    if (!elsewhere) GTEST_SKIP() << "no installed font has U+2318";

    QTextLayout layout(QString(placeOfInterest), defaultFont());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    ASSERT_EQ(runs.size(), 1);
    EXPECT_NE(runs[0].rawFont().familyName(), QFontInfo(defaultFont()).family());
    EXPECT_NE(runs[0].glyphIndexes().value(0), 0u);  // a real glyph, not the missing-glyph box
}

// Windows take the design font from the program's default; what the design does not cover keeps the desktop's.
TEST(ProgramFont, WindowsTakeTheDesignFontMessageBoxesMenusAndTooltipsTheDesktops) {
    const QFont desktop = QApplication::font();
    useDefaultFontForWindows();

    QWidget window;
    auto* box = new QLineEdit(&window);
    EXPECT_EQ(QFontInfo(window.font()).family(), QFontInfo(defaultFont()).family());
    EXPECT_EQ(box->font().pixelSize(), 11);
    QMessageBox message(QMessageBox::NoIcon, QStringLiteral("Quillbay"), QStringLiteral("text"));
    QMenu menu;
    message.ensurePolished();  // as showing them does
    menu.ensurePolished();
    const std::pair<const char*, QFont> desktopKinds[] = {
        {"message box", message.font()},
        {"message text", message.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font()},
        {"menu", menu.font()},
        {"tooltip", QToolTip::font()},
    };
    for (const auto& [kind, font] : desktopKinds) {
        EXPECT_EQ(font.family(), desktop.family()) << kind;
        EXPECT_EQ(font.pointSizeF(), desktop.pointSizeF()) << kind;
        EXPECT_EQ(font.pixelSize(), desktop.pixelSize()) << kind;
    }
    QApplication::setFont(desktop);
}

// A label is 255 twips (17 px) high: a whole line, descenders included, must fit.
TEST(DesignFonts, ALineFitsALabel) {
    for (const QFont& font : {defaultFont(), boldFont()}) EXPECT_LE(QFontMetrics(font).height(), 17);
}

}  // namespace
}  // namespace quillbay::design
