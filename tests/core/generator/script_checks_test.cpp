// Which ticked features keep a browser from opening a popup at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/generator/script_checks.h"

namespace quillbay {
namespace {

using F = PopupFeature;

// With the four all on, either bar asks for an ordinary window, and the features are named in the script's
// order; any one of the four off, or both bars, and a popup is asked for again. Directories, ticked in every
// row, plays no part. (The warning's words are quillbay-generate --check's table.)
TEST(FeaturesPreventingPopup, EitherBarWithTheOtherFourAllOnPreventsIt) {
    const std::vector<F> six{F::Status, F::Scroll, F::Menubar, F::Resize, F::Toolbar, F::Location};
    const std::vector<F> withoutToolbar{F::Status, F::Scroll, F::Menubar, F::Resize, F::Location};
    const std::vector<F> withoutLocation{F::Status, F::Scroll, F::Menubar, F::Resize, F::Toolbar};
    const struct {
        std::vector<F> off;
        std::vector<F> named;
    } cases[] = {{{}, six},           {{F::Toolbar}, withoutToolbar}, {{F::Location}, withoutLocation},
                 {{F::Toolbar, F::Location}, {}}, {{F::Status}, {}}, {{F::Scroll}, {}}, {{F::Menubar}, {}},
                 {{F::Resize}, {}}};
    for (const auto& c : cases) {
        PopupSettings settings = startupSettings();
        settings.setFeature(F::Directories, true);
        for (F f : six) settings.setFeature(f, std::find(c.off.begin(), c.off.end(), f) == c.off.end());
        EXPECT_EQ(featuresPreventingPopup(settings), c.named) << ::testing::PrintToString(c.off);
    }
}

}  // namespace
}  // namespace quillbay
