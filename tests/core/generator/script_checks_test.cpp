// Which ticked features keep a browser from opening a popup at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/generator/script_checks.h"

namespace quillbay {
namespace {

using F = PopupFeature;

// The six all on ask for an ordinary window, named in the script's order; any one of the four off, or both bars,
// and a popup is asked for again. Directories, ticked in every row, plays no part. (Which bar is enough, and the
// warning's words, are quillbay-generate --check's table.)
TEST(FeaturesPreventingPopup, EitherBarWithTheOtherFourAllOnPreventsIt) {
    const std::vector<F> six{F::Status, F::Scroll, F::Menubar, F::Resize, F::Toolbar, F::Location};
    const std::vector<std::vector<F>> offs = {{}, {F::Toolbar, F::Location}, {F::Status}, {F::Scroll}, {F::Menubar},
                                              {F::Resize}};
    for (const std::vector<F>& off : offs) {
        PopupSettings settings = startupSettings();
        settings.setFeature(F::Directories, true);
        for (F f : six) settings.setFeature(f, std::find(off.begin(), off.end(), f) == off.end());
        EXPECT_EQ(featuresPreventingPopup(settings), off.empty() ? six : std::vector<F>{}) << ::testing::PrintToString(off);
    }
}

}  // namespace
}  // namespace quillbay
