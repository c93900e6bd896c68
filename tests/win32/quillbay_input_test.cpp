// quillbay.exe under the keyboard and the mouse as a person uses them (SendInput from this process, in the
// same Wine prefix and on the same display): the dialog keys, the default frame, typing into the output
// boxes, a right-button move, where About opens, and F1.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/twips.h"
#include "platform/win_text.h"
#include "win32/control_ids.h"
#include "win32/quillbay_driver.h"

namespace quillbay::win32::testing {
namespace {

bool framed(HWND button) { return (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

class PersonInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.started()) << "quillbay.exe did not show its main window";
        ASSERT_TRUE(app.bringToFront(app.mainWindow()));
        ASSERT_TRUE(app.waitForFocus(c("txtFunctionname")));
    }
    HWND c(std::string_view name) const { return app.control(name); }
    // Tab to `button` and Enter, then wait for the state it leads to.
    void enterOn(const char* button, bool generated) const {
        ASSERT_TRUE(app.tabTo(c(button))) << button;
        pressKey(VK_RETURN);
        ASSERT_TRUE(waitUntil([&] { return app.text(c("txtScript")).empty() != generated; }, 3000))
            << "Enter did not press " << button;
    }
    // Tab once round the window: at every stop the default frame is on the focused button, or on none.
    void expectFrameOnTheFocusOnly() const {
        const HWND first = app.focus();
        for (int presses = 0; presses < 40; ++presses) {
            pressKey(VK_TAB);
            for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5", "selectone"})
                EXPECT_TRUE(waitUntil([&] { return framed(c(name)) == (app.focus() == c(name)); }, 2000))
                    << name << " is wrong with the focus on " << GetDlgCtrlID(app.focus());
            if (app.focus() == first) return;
        }
        ADD_FAILURE() << "Tab never came round";
    }

    QuillbayDriver app;
};

// Two rounds, since the second Enter on "Generate This Code", after a Reset, is the one seen to go missing.
TEST_F(PersonInput, EnterPressesTheFocusedButtonEveryTimeAndNothingInATextBox) {
    ASSERT_TRUE(app.tabTo(c("txtWidth")));
    pressKey(VK_RETURN);
    typeText(L"640");  // Tab selected the box's text; once the typing shows, Enter has been taken
    EXPECT_TRUE(waitUntil([&] { return app.text(c("txtWidth")) == L"640"; }, 3000));
    EXPECT_TRUE(app.text(c("txtScript")).empty()) << "Enter in a text box generated";
    EXPECT_EQ(app.findWindow(L"#32770"), nullptr) << "Enter in a text box led to a message";
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(::testing::Message() << "round " << round);
        expectFrameOnTheFocusOnly();
        enterOn("Command1", true);
        expectFrameOnTheFocusOnly();
        // The output boxes take typing (the whole text selected by Tab), Enter starting a new line.
        for (const char* box : {"txtScript", "txtOnclick", "txtLink", "txtOnload"}) {
            ASSERT_TRUE(app.tabTo(c(box))) << box;
            typeText(L"a");
            pressKey(VK_RETURN);
            typeText(L"\u00e9\u4f8b");
            EXPECT_TRUE(waitUntil([&] { return app.text(c(box)) == L"a\r\n\u00e9\u4f8b"; }, 3000))
                << box << " holds: " << toUtf8(app.text(c(box)));
        }
        enterOn("Command5", false);
    }
}

// Beside the main window as designed, kept inside the work area; OK default and cancel, but Enter on a
// focused System Info... presses that one.
TEST_F(PersonInput, AboutOpensBesideTheMainWindowAndEnterPressesItsFocusedButton) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location");
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(app.mainWindow(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork;
    for (const bool nearCorner : {false, true}) {
        SCOPED_TRACE(nearCorner ? "the main window near the work area's corner" : "the main window in the open");
        const POINT at = nearCorner ? POINT{work.right - 300, work.bottom - 250} : POINT{40, 60};
        SetWindowPos(app.mainWindow(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // sent: done on return
        app.press(c("Command3"));
        HWND about = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (about = app.findWindow(kAboutClass)) != nullptr; }));
        RECT frame{};
        GetWindowRect(about, &frame);
        POINT main{}, own{};
        ClientToScreen(app.mainWindow(), &main);
        ClientToScreen(about, &own);
        const int dpi = static_cast<int>(GetDpiForWindow(app.mainWindow()));
        const POINT got = nearCorner ? POINT{frame.right, frame.bottom} : POINT{own.x - main.x, own.y - main.y};
        const POINT want = nearCorner ? POINT{work.right, work.bottom}
                                      : POINT{design::toPixels(1575, dpi), design::toPixels(1185, dpi)};
        EXPECT_TRUE(got.x == want.x && got.y == want.y)
            << got.x << ", " << got.y << " for " << want.x << ", " << want.y;

        const HWND ok = GetDlgItem(about, kAboutOkId), sysInfo = GetDlgItem(about, kAboutSysInfoId);
        ASSERT_TRUE(app.bringToFront(about));
        ASSERT_TRUE(app.tabTo(sysInfo));
        EXPECT_TRUE(framed(sysInfo) && !framed(ok));
        pressKey(VK_RETURN);
        const auto seen = app.closeMessage();  // no tool is registered, so the button's message shows
        ASSERT_TRUE(seen) << "Enter did not press System Info...";
        EXPECT_EQ(seen->text, L"System Information Is Unavailable At This Time");
        ASSERT_TRUE(app.bringToFront(about));
        ASSERT_TRUE(app.tabTo(sysInfo));
        pressKey(VK_ESCAPE);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }, 3000)) << "Esc did not press OK";
    }
}

// The pointer goes on after the release; the window must not. (A left-button move always ended.)
TEST_F(PersonInput, ARightButtonMoveEndsWhereTheButtonIsReleased) {
    RECT before{}, after{};
    GetWindowRect(app.mainWindow(), &before);
    const int dpi = static_cast<int>(GetDpiForWindow(app.mainWindow()));
    POINT grab{design::toPixels(6000, dpi), design::toPixels(1400, dpi)};  // background right of the fields
    ClientToScreen(app.mainWindow(), &grab);
    mouse(grab, MOUSEEVENTF_RIGHTDOWN);
    for (int step = 1; step <= 4; ++step) mouse({grab.x + 10 * step, grab.y + 8 * step});
    mouse({grab.x + 40, grab.y + 32}, MOUSEEVENTF_RIGHTUP);
    for (int step = 1; step <= 4; ++step) mouse({grab.x + 40 + 15 * step, grab.y + 32 + 15 * step});
    Sleep(500);  // time to follow the pointer on, were the move still going
    GetWindowRect(app.mainWindow(), &after);
    EXPECT_EQ(std::pair(after.left - before.left, after.top - before.top), std::pair(40L, 32L));
}

// HTML Help's window, captioned with the guide's title, from either window (beside no help file F1 shows
// nothing: main_form_test); Exit with it open must still end the program cleanly.
TEST_F(PersonInput, F1ShowsTheHelpFileBesideTheProgramFromEitherWindow) {
    HWND help = nullptr;
    for (const bool inAbout : {false, true}) {
        HWND front = app.mainWindow();
        if (inAbout) {
            SendMessageW(help, WM_CLOSE, 0, 0);
            app.press(c("Command3"));
            ASSERT_TRUE(waitUntil([&] { return (front = app.findWindow(kAboutClass)) != nullptr; }));
        }
        ASSERT_TRUE(app.bringToFront(front));
        pressKey(VK_F1);
        const auto shown = [&] { return app.text(help = app.findWindow(L"HH Parent")) == L"Quillbay guide"; };
        EXPECT_TRUE(waitUntil(shown, 15000)) << (inAbout ? "in About" : "in the main window");
    }
    PostMessageW(c("Command4"), BM_CLICK, 0, 0);
    EXPECT_EQ(app.waitForExit(), 0u);
}

}  // namespace
}  // namespace quillbay::win32::testing
