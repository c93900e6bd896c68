// Twips to pixels, and the design fonts standing in for MS Sans Serif.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include "ui/common/design.h"

namespace quillbay::design {
namespace {

TEST(Twips, FifteenToAPixelRoundedToTheNearest) {
    const std::pair<int, int> cases[] = {{0, 0}, {15, 1}, {7, 0}, {8, 1}, {7245, 483}, {7590, 506}, {6660, 444},
                                         {1065, 71}, {22, 1}, {23, 2}};
    for (auto [twips, pixels] : cases) EXPECT_EQ(toPixels(twips), pixels) << twips;
    static_assert(toPixels(TwipsRect{240, 3840, 5535, 255}) == QRect(16, 256, 369, 17));
}

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

// A label is 255 twips (17 px) high: a whole line, descenders included, must fit.
TEST(DesignFonts, ALineFitsALabel) {
    for (const QFont& font : {defaultFont(), boldFont()}) EXPECT_LE(QFontMetrics(font).height(), 17);
}

}  // namespace
}  // namespace quillbay::design
