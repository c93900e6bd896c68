// Which ticked features keep a browser from opening a popup at all.
#include <gtest/gtest.h>

#include <vector>

#include "core/generator/script_checks.h"

namespace quillbay {
namespace {

using F = PopupFeature;

struct PopupCase {
    const char* what;
    std::vector<F> on;
    std::vector<F> named;  // empty: a popup is asked for
};

TEST(FeaturesPreventingPopup, OnlyLocationOrToolbarWithTheOtherFourAllOnPreventIt) {
    const std::vector<F> four{F::Menubar, F::Resize, F::Scroll, F::Status};
    const auto with = [&](std::vector<F> more) {
        more.insert(more.end(), four.begin(), four.end());
        return more;
    };
    const std::vector<PopupCase> cases = {
        {"nothing ticked", {}, {}},
        {"all seven", with({F::Toolbar, F::Location, F::Directories}),
         {F::Status, F::Scroll, F::Menubar, F::Resize, F::Toolbar, F::Location}},
        {"directories plays no part", with({F::Toolbar, F::Location}),
         {F::Status, F::Scroll, F::Menubar, F::Resize, F::Toolbar, F::Location}},
        {"toolbar alone is enough", with({F::Toolbar}), {F::Status, F::Scroll, F::Menubar, F::Resize, F::Toolbar}},
        {"locations alone is enough", with({F::Location}), {F::Status, F::Scroll, F::Menubar, F::Resize, F::Location}},
        {"the four without either bar", with({F::Directories}), {}},
        {"status bar off", {F::Toolbar, F::Location, F::Menubar, F::Resize, F::Scroll}, {}},
        {"scroll bar off", {F::Toolbar, F::Location, F::Menubar, F::Resize, F::Status}, {}},
        {"menu bar off", {F::Toolbar, F::Location, F::Resize, F::Scroll, F::Status}, {}},
        {"resizeable off", {F::Toolbar, F::Location, F::Menubar, F::Scroll, F::Status}, {}},
        {"both bars, nothing else", {F::Toolbar, F::Location, F::Directories}, {}},
    };
    for (const PopupCase& c : cases) {
        SCOPED_TRACE(c.what);
        PopupSettings settings = startupSettings();
        for (F feature : c.on) settings.setFeature(feature, true);
        EXPECT_EQ(featuresPreventingPopup(settings), c.named);
    }
}

}  // namespace
}  // namespace quillbay
