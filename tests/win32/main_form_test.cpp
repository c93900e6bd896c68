// The main window in this process, with fakes for the window move and the help viewer: what a press on
// each part of the window and F1 lead to.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/main_window/main_form_layout.h"
#include "core/twips.h"
#include "platform/win_help_viewer.h"
#include "platform/win_window_mover.h"
#include "win32/main_form.h"

namespace quillbay::win32 {
namespace {

struct FakeMover : WinWindowMover {
    void startMove(HWND, MoveButton button) override { moves.push_back(button); }
    std::vector<MoveButton> moves;
};

struct FakeHelpViewer : WinHelpViewer {
    bool show(HWND, const std::wstring& path) override {
        shown.push_back(path);
        return true;
    }
    std::vector<std::wstring> shown;
};

struct PressCase {
    const char* name;
    int x, y;  // twips in the client area
    UINT down;
    bool moves;
};

class MainFormPress : public ::testing::TestWithParam<PressCase> {};

// The press goes where the system's hit test sends it: a label takes its own, the surface passes it to the
// window.
TEST_P(MainFormPress, MovesTheWindowOnlyFromItsOwnSurface) {
    FakeMover mover;
    MainFormServices services;
    services.mover = &mover;
    mainForm form(GetModuleHandleW(nullptr), std::move(services));
    form.show(SW_SHOWNOACTIVATE);
    const int dpi = static_cast<int>(GetDpiForWindow(form.hwnd()));
    POINT point{design::toPixels(GetParam().x, dpi), design::toPixels(GetParam().y, dpi)};
    ClientToScreen(form.hwnd(), &point);
    HWND target = WindowFromPoint(point);
    ASSERT_TRUE(target == form.hwnd() || IsChild(form.hwnd(), target));
    ScreenToClient(target, &point);
    SendMessageW(target, GetParam().down, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(target, GetParam().down + 1, 0, MAKELPARAM(point.x, point.y));
    const MoveButton button = GetParam().down == WM_LBUTTONDOWN ? MoveButton::Left
                              : GetParam().down == WM_RBUTTONDOWN ? MoveButton::Right : MoveButton::Middle;
    EXPECT_EQ(mover.moves, GetParam().moves ? std::vector<MoveButton>{button} : std::vector<MoveButton>{});
}

INSTANTIATE_TEST_SUITE_P(
    Places, MainFormPress,
    ::testing::Values(PressCase{"Background", 6000, 1400, WM_LBUTTONDOWN, true},
                      PressCase{"BackgroundRightButton", 6000, 1400, WM_RBUTTONDOWN, true},
                      PressCase{"BackgroundMiddleButton", 6000, 1400, WM_MBUTTONDOWN, true},
                      PressCase{"BannerUnderTheFields", 60, 700, WM_LBUTTONDOWN, true},
                      PressCase{"RectangleBehindTheCheckBoxes", 5700, 2000, WM_LBUTTONDOWN, true},
                      PressCase{"Label", 400, 420, WM_LBUTTONDOWN, false},
                      PressCase{"InputBox", 2000, 420, WM_LBUTTONDOWN, false},
                      PressCase{"Button", 600, 3400, WM_RBUTTONDOWN, false}),
    [](const auto& info) { return std::string(info.param.name); });

// As on a move to a monitor of another resolution: every control takes its design place and size there. (The
// window's frame stays this process's, so its client size is checked at real resolutions, end to end.)
TEST(MainFormResolution, LaysItselfOutAgainWhenTheResolutionChanges) {
    mainForm form(GetModuleHandleW(nullptr), MainFormServices{});
    for (const int dpi : {144, 192, 96}) {
        RECT suggested{10, 20, 30, 40};
        SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        for (const auto& row : mainlayout::kControls) {
            if (row.kind == mainlayout::ControlKind::Rectangle) continue;
            RECT r{};
            GetWindowRect(form.control(row.name), &r);
            MapWindowPoints(nullptr, form.hwnd(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, design::toPixels(row.rect.left, dpi)) << row.name << " at " << dpi;
            EXPECT_EQ(r.bottom - r.top, design::toPixels(row.rect.height, dpi)) << row.name << " at " << dpi;
        }
    }
}

class MainFormHelp : public ::testing::TestWithParam<bool> {};

TEST_P(MainFormHelp, F1OpensTheHelpFileBesideTheProgramOnlyWhereThereIsOne) {
    FakeHelpViewer viewer;
    std::vector<std::wstring> asked;
    MainFormServices services;
    services.help = &viewer;
    services.isFile = [&](const std::wstring& path) {
        asked.push_back(path);
        return GetParam();
    };
    services.programFolder = L"C:\\Tools\\Quillbay";
    mainForm form(GetModuleHandleW(nullptr), std::move(services));
    MSG key{form.control("txtWidth"), WM_KEYDOWN, VK_F1, 0, 0, {}};
    EXPECT_TRUE(form.preTranslate(key));
    ASSERT_EQ(asked, std::vector<std::wstring>{L"C:\\Tools\\Quillbay\\help.chm"});
    EXPECT_EQ(viewer.shown, GetParam() ? asked : std::vector<std::wstring>{});
}

INSTANTIATE_TEST_SUITE_P(HelpFile, MainFormHelp, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Present" : "Missing"; });

}  // namespace
}  // namespace quillbay::win32
