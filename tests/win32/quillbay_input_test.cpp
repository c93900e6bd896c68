// quillbay.exe under the keyboard and the mouse as a person uses them (SendInput from this process, in the
// same Wine prefix and on the same display): the dialog keys, the default frame, typing into the output
// boxes, dragging the window with each button, where About opens, and F1.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/main_window/main_form_layout.h"
#include "core/twips.h"
#include "platform/win_text.h"
#include "win32/control_ids.h"
#include "win32/quillbay_driver.h"

namespace quillbay::win32::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kButtons[] = {"Command1", "Command2", "Command3", "Command4", "Command5", "selectone"};

bool framed(HWND button) { return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

class PersonInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.started()) << "quillbay.exe did not show its main window";
        ASSERT_TRUE(app.bringToFront(app.mainWindow()));
        ASSERT_TRUE(app.waitForFocus(c("txtFunctionname")));
    }
    HWND c(std::string_view name) const { return app.control(name); }
    bool generated() const {
        return waitUntil([&] { return !app.text(c("txtScript")).empty(); }, 3000);
    }
    bool editing() const {
        return waitUntil([&] { return app.text(c("txtScript")).empty() && app.enabled(c("Command1")); }, 3000);
    }
    // The button of the main window that shows the default frame where the focus is not, if any.
    const char* strayFrame() const {
        for (const char* name : kButtons)
            if (framed(c(name)) != (app.focus() == c(name))) return name;
        return nullptr;
    }

    QuillbayDriver app;
};

// ---------------------------------------------------------------- the main window's keys

void click(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    moveMouse({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    mouseButton(MouseButton::Left, true);
    mouseButton(MouseButton::Left, false);
}

struct PressCase {
    const char* name;
    std::vector<WORD> keys;  // the key that presses the focused button, round by round
    bool resetByMouse;       // else Tab to Reset and that key
};

class PressFocused : public PersonInput, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressFocused, GeneratesEveryTimeTabReachesGenerateAcrossAReset) {
    for (std::size_t round = 0; round < GetParam().keys.size(); ++round) {
        const WORD key = GetParam().keys[round];
        ASSERT_TRUE(app.tabTo(c("Command1"))) << "round " << round;
        pressKey(key);
        ASSERT_TRUE(generated()) << "the key did not press Generate in round " << round;
        if (GetParam().resetByMouse) {
            click(c("Command5"));
        } else {
            ASSERT_TRUE(app.tabTo(c("Command5"))) << "round " << round;
            pressKey(key);
        }
        ASSERT_TRUE(editing()) << "Reset was not pressed in round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, PressFocused,
                         ::testing::Values(PressCase{"Enter", {VK_RETURN, VK_RETURN, VK_RETURN}, false},
                                           PressCase{"SpaceThenEnter", {VK_SPACE, VK_RETURN, VK_SPACE}, false},
                                           PressCase{"EnterResetClicked", {VK_RETURN, VK_RETURN}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PersonInput, TheDefaultFrameIsOnTheFocusedButtonOnlyInBothStatesAndAfterAReset) {
    auto goRound = [&](const char* state) {
        const HWND first = app.focus();
        for (int presses = 0; presses < 40; ++presses) {
            pressKey(VK_TAB);
            ASSERT_TRUE(waitUntil([&] { return strayFrame() == nullptr; }, 2000))
                << state << ": " << strayFrame() << " is wrong with the focus on " << GetDlgCtrlID(app.focus());
            if (app.focus() == first) return;
        }
        FAIL() << state << ": Tab never came round";
    };
    goRound("editing");
    ASSERT_TRUE(app.tabTo(c("Command1")));
    pressKey(VK_RETURN);
    ASSERT_TRUE(generated());
    goRound("generated");
    ASSERT_TRUE(app.tabTo(c("Command5")));
    pressKey(VK_RETURN);
    ASSERT_TRUE(editing());
    goRound("after Reset");
}

struct BoxCase {
    const char* name;
    const char* control;
    std::wstring barrier;  // typed after Enter: once it shows, Enter has been taken
    bool checkBox;
};

class EnterInABox : public PersonInput, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(EnterInABox, PressesNoButton) {
    HWND box = c(GetParam().control);
    ASSERT_TRUE(app.tabTo(box));
    pressKey(VK_RETURN);
    if (GetParam().checkBox) {
        pressKey(VK_SPACE);
        EXPECT_TRUE(waitUntil([&] { return app.checked(box); }, 3000));
    } else {
        typeText(GetParam().barrier);
        EXPECT_TRUE(waitUntil([&] { return app.text(box) == GetParam().barrier; }, 3000)) << "the box lost the typing";
    }
    EXPECT_TRUE(app.text(c("txtScript")).empty()) << "Enter generated";
    EXPECT_EQ(app.findWindow(L"#32770"), nullptr) << "Enter led to a message";
    EXPECT_EQ(app.focus(), box);
}

INSTANTIATE_TEST_SUITE_P(Boxes, EnterInABox,
                         ::testing::Values(BoxCase{"InputBox", "txtWidth", L"640", false},
                                           BoxCase{"CheckBox", "optStatus", L"", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PersonInput, TheOutputBoxesTakeTypingAndEnterStartsANewLine) {
    app.press(c("Command1"));
    ASSERT_TRUE(generated());
    ASSERT_TRUE(app.bringToFront(app.mainWindow()));
    ASSERT_TRUE(app.tabTo(c("Command4")));  // the first box comes next
    for (const char* box : {"txtScript", "txtOnclick", "txtLink", "txtOnload"}) {
        ASSERT_TRUE(app.tabTo(c(box))) << box;
        // Tab selects the whole text, so the typing replaces it.
        typeText(L"a");
        pressKey(VK_RETURN);
        typeText(L"\u00e9\u4f8b");
        EXPECT_TRUE(waitUntil([&] { return app.text(c(box)) == L"a\r\n\u00e9\u4f8b"; }, 3000))
            << box << " holds: " << toUtf8(app.text(c(box)));
    }
}

// ---------------------------------------------------------------- About's keys and place

struct AboutKeyCase {
    const char* name;
    bool onSysInfo;  // Tab first to System Info...
    WORD key;
    bool closes;  // else System Info... is pressed: no tool is registered, so its message shows
};

class AboutKeys : public PersonInput, public ::testing::WithParamInterface<AboutKeyCase> {};

TEST_P(AboutKeys, EnterPressesTheFocusedButtonAndEscPressesOk) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location");
    app.press(c("Command3"));
    HWND about = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (about = app.findWindow(kAboutClass)) != nullptr; }));
    ASSERT_TRUE(app.bringToFront(about));
    HWND ok = GetDlgItem(about, kAboutOkId), sysInfo = GetDlgItem(about, kAboutSysInfoId);
    ASSERT_TRUE(app.waitForFocus(ok));
    if (GetParam().onSysInfo) {
        pressKey(VK_TAB);
        ASSERT_TRUE(app.waitForFocus(sysInfo));
    }
    HWND focused = GetParam().onSysInfo ? sysInfo : ok;
    EXPECT_TRUE(framed(focused));
    EXPECT_FALSE(framed(focused == ok ? sysInfo : ok));

    pressKey(GetParam().key);
    if (GetParam().closes) {
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }, 3000)) << "About stayed open";
        EXPECT_EQ(app.findWindow(L"#32770"), nullptr);
        return;
    }
    const auto seen = app.closeMessage();
    ASSERT_TRUE(seen) << "System Info... was not pressed";
    EXPECT_EQ(seen->text, L"System Information Is Unavailable At This Time");
    EXPECT_TRUE(IsWindow(about));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AboutKeys,
    ::testing::Values(AboutKeyCase{"EnterOnOk", false, VK_RETURN, true},
                      AboutKeyCase{"EscOnOk", false, VK_ESCAPE, true},
                      AboutKeyCase{"EnterOnSysInfo", true, VK_RETURN, false},
                      AboutKeyCase{"SpaceOnSysInfo", true, VK_SPACE, false},
                      AboutKeyCase{"EscOnSysInfo", true, VK_ESCAPE, true}),
    [](const auto& info) { return std::string(info.param.name); });

POINT clientOrigin(HWND window) {
    POINT origin{};
    ClientToScreen(window, &origin);
    return origin;
}

// The parameter: whether the main window stands so near the work area's bottom-right corner that About's
// designed place would leave it.
class AboutPlace : public PersonInput, public ::testing::WithParamInterface<bool> {};

TEST_P(AboutPlace, IsBesideTheMainWindowAsDesignedAndInsideTheWorkArea) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(app.mainWindow(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    const POINT at = GetParam() ? POINT{work.right - 300, work.bottom - 250} : POINT{40, 60};
    // Sent, so the window has moved once it returns.
    SetWindowPos(app.mainWindow(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    app.press(c("Command3"));
    HWND about = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (about = app.findWindow(kAboutClass)) != nullptr; }));
    RECT frame{};
    GetWindowRect(about, &frame);
    if (GetParam()) {
        EXPECT_EQ(frame.right, work.right);
        EXPECT_EQ(frame.bottom, work.bottom);
        return;
    }
    const POINT main = clientOrigin(app.mainWindow()), own = clientOrigin(about);
    const int dpi = static_cast<int>(GetDpiForWindow(app.mainWindow()));
    EXPECT_EQ(own.x - main.x, design::toPixels(1575, dpi));
    EXPECT_EQ(own.y - main.y, design::toPixels(1185, dpi));
}

INSTANTIATE_TEST_SUITE_P(Places, AboutPlace, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "NearTheCorner" : "InTheOpen"; });

// ---------------------------------------------------------------- dragging the window

class Drag : public PersonInput, public ::testing::WithParamInterface<MouseButton> {};

TEST_P(Drag, ByTheBackgroundEndsWhereTheButtonIsReleased) {
    RECT before{};
    GetWindowRect(app.mainWindow(), &before);
    const int dpi = static_cast<int>(GetDpiForWindow(app.mainWindow()));
    POINT grab{design::toPixels(6000, dpi), design::toPixels(1400, dpi)};  // background right of the fields
    ClientToScreen(app.mainWindow(), &grab);
    moveMouse(grab);
    mouseButton(GetParam(), true);
    for (int step = 1; step <= 4; ++step) moveMouse({grab.x + 10 * step, grab.y + 8 * step});
    mouseButton(GetParam(), false);
    // The pointer goes on after the release; the window must not.
    for (int step = 1; step <= 4; ++step) moveMouse({grab.x + 40 + 15 * step, grab.y + 32 + 15 * step});
    RECT after{};
    auto moved = [&] {
        GetWindowRect(app.mainWindow(), &after);
        return after.left - before.left == 40 && after.top - before.top == 32;
    };
    EXPECT_TRUE(waitUntil(moved, 3000));
    Sleep(500);  // time to follow the pointer on, were the move still going
    EXPECT_TRUE(moved()) << "the window went on to " << after.left - before.left << ", " << after.top - before.top;
}

constexpr const char* kMouseButtons[] = {"Left", "Right", "Middle"};
INSTANTIATE_TEST_SUITE_P(Buttons, Drag,
                         ::testing::Values(MouseButton::Left, MouseButton::Right, MouseButton::Middle),
                         [](const auto& info) { return kMouseButtons[static_cast<int>(info.param)]; });

// ---------------------------------------------------------------- F1

struct HelpCase {
    const char* name;
    bool inAbout;
    bool helpFile;  // a help.chm beside the program
};

class HelpKey : public ::testing::TestWithParam<HelpCase> {
protected:
    // A folder of its own holding the program, and the help file when the row has one.
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("quillbay-help-" + std::to_string(GetCurrentProcessId()) + "-" + GetParam().name);
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy_file(fs::path(driverFolder()) / L"quillbay.exe", folder_ / L"quillbay.exe");
        if (GetParam().helpFile)
            fs::copy_file(fs::path(driverFolder()) / L"quillbay_test_help.chm", folder_ / L"help.chm");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

// The program ends with the test's body, before TearDown removes its folder.
TEST_P(HelpKey, F1ShowsTheHelpFileBesideTheProgram) {
    QuillbayDriver app(folder_.wstring());
    ASSERT_TRUE(app.started());
    HWND front = app.mainWindow();
    if (GetParam().inAbout) {
        app.press(app.control("Command3"));
        ASSERT_TRUE(waitUntil([&] { return (front = app.findWindow(kAboutClass)) != nullptr; }));
    }
    ASSERT_TRUE(app.bringToFront(front));
    pressKey(VK_F1);
    // HTML Help's window, captioned with the help file's own title.
    const bool shown = waitUntil([&] { return app.text(app.findWindow(L"HH Parent")) == L"Quillbay test help"; },
                                 GetParam().helpFile ? 15000 : 2000);
    EXPECT_EQ(shown, GetParam().helpFile);
    // Exit with the help window open still ends the program, cleanly.
    PostMessageW(app.control("Command4"), BM_CLICK, 0, 0);
    EXPECT_EQ(app.waitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Windows, HelpKey,
                         ::testing::Values(HelpCase{"MainWindow", false, true}, HelpCase{"About", true, true},
                                           HelpCase{"NoHelpFile", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillbay::win32::testing
