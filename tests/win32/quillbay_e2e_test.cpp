// quillbay.exe end to end under Wine: a separate process drives the real program through window messages
// and reads back what it shows, the clipboard, and what it started.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/generator/popup_script.h"
#include "core/main_window/main_form_layout.h"
#include "core/twips.h"
#include "platform/win_text.h"
#include "support/page_handler_registry.h"
#include "win32/control_ids.h"
#include "win32/quillbay_driver.h"

namespace quillbay::win32::testing {
namespace {

using mainlayout::ControlKind;
using mainlayout::kControls;

std::wstring w(std::string_view utf8) { return fromUtf8(utf8); }

// Every control where the table puts it at the window's resolution, and the client area at its design size.
void expectDesignGeometry(const QuillbayDriver& app, int dpi = design::kDesignDpi) {
    RECT client{};
    GetClientRect(app.mainWindow(), &client);
    EXPECT_EQ(client.right, design::toPixels(mainlayout::kClientArea.width, dpi)) << "at " << dpi << " dpi";
    EXPECT_EQ(client.bottom, design::toPixels(mainlayout::kClientArea.height, dpi)) << "at " << dpi << " dpi";
    for (const auto& row : kControls) {
        if (row.kind == ControlKind::Rectangle) continue;
        RECT r{};
        GetWindowRect(app.control(row.name), &r);
        MapWindowPoints(nullptr, app.mainWindow(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((design::PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  design::toPixels(row.rect, dpi))
            << row.name << " at " << dpi << " dpi";
    }
}

// The state a window shows: every box's text, every check and every control's enabled state.
struct Shown {
    std::vector<std::wstring> texts;
    std::vector<bool> checks;
    std::vector<bool> enabled;
    bool operator==(const Shown&) const = default;
};

Shown shown(const QuillbayDriver& app) {
    Shown s;
    for (const auto& row : kControls) {
        if (row.kind == ControlKind::Rectangle) continue;
        HWND c = app.control(row.name);
        s.texts.push_back(app.text(c));
        s.checks.push_back(row.kind == ControlKind::CheckBox && app.checked(c));
        s.enabled.push_back(app.enabled(c));
    }
    return s;
}

void expectGeneratedState(const QuillbayDriver& app, bool generated) {
    for (const auto& row : kControls) {
        if (row.kind == ControlKind::Rectangle || row.kind == ControlKind::Label) continue;
        bool expected = row.kind == ControlKind::OutputBox ? generated : !generated;
        if (row.name == "Command2" || row.name == "Command5") expected = generated;
        if (row.name == "Command3" || row.name == "Command4" || row.name == "selectone") expected = true;
        EXPECT_EQ(app.enabled(app.control(row.name)), expected) << row.name;
    }
}

class Quillbay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.started()) << "quillbay.exe did not show its main window"; }
    HWND c(std::string_view name) const { return app.control(name); }

    QuillbayDriver app;
};

TEST_F(Quillbay, StartsWithTheDesignTextsInEditingState) {
    EXPECT_EQ(app.text(app.mainWindow()), w(mainlayout::kCaption));
    for (const auto& row : kControls) {
        if (row.kind == ControlKind::Rectangle) continue;
        EXPECT_EQ(app.text(c(row.name)), w(mainlayout::designText(row))) << row.name;
        if (row.kind == ControlKind::CheckBox) {
            EXPECT_FALSE(app.checked(c(row.name))) << row.name;
        }
    }
    expectGeneratedState(app, false);
    EXPECT_TRUE(app.waitForFocus(c("txtFunctionname")));
    expectDesignGeometry(app);
}

TEST_F(Quillbay, TabVisitsTheEnabledControlsInTheirTabOrder) {
    const char* const order[] = {"txtWinname", "txtUrl",     "txtWidth",  "txtHeight", "optStatus", "optTollbar",
                                 "optMenubar", "optScroll",  "optDirectories", "optLocation", "optResize",
                                 "Command1",   "selectone",  "Command3",  "Command4",  "txtFunctionname"};
    ASSERT_TRUE(app.waitForFocus(c("txtFunctionname")));
    for (const char* name : order) {
        PostMessageW(app.focus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(app.waitForFocus(c(name))) << name;
    }
}

// ---------------------------------------------------------------- validation

struct EmptyFieldCase {
    const char* name;
    std::vector<const char*> emptied;
    const char* message;
    const char* focus;
};

class Validation : public Quillbay, public ::testing::WithParamInterface<EmptyFieldCase> {};

TEST_P(Validation, TellsTheFirstEmptyFieldPutsTheFocusThereAndChangesNothing) {
    const EmptyFieldCase& t = GetParam();
    for (const char* box : t.emptied) app.setText(c(box), L"");
    const Shown before = shown(app);

    const auto seen = app.pressForMessage(c("Command1"));
    ASSERT_TRUE(seen) << "no message box";
    EXPECT_EQ(seen->text, w(t.message));
    EXPECT_EQ(seen->caption, L"Quillbay");
    EXPECT_EQ(seen->buttons, 1) << "only OK";
    EXPECT_FALSE(seen->icon);
    EXPECT_TRUE(app.waitForFocus(c(t.focus))) << "focus on " << GetDlgCtrlID(app.focus()) << " active "
                                              << (GetForegroundWindow() == app.mainWindow());
    EXPECT_TRUE(shown(app) == before) << "a failed Generate changed the window";
}

// Which field is told first when several are empty is settled in the core's table; here each message and
// focus through the program.
INSTANTIATE_TEST_SUITE_P(
    Fields, Validation,
    ::testing::Values(
        EmptyFieldCase{"FunctionName", {"txtFunctionname"}, "Please Input popup function name", "txtFunctionname"},
        EmptyFieldCase{"Url", {"txtUrl"}, "Please input the url for popup window", "txtUrl"},
        EmptyFieldCase{"WindowName", {"txtWinname"}, "Please Input the name of window", "txtWinname"},
        EmptyFieldCase{"Height", {"txtHeight"}, "Please specify the height of popup window", "txtHeight"},
        EmptyFieldCase{"Width", {"txtWidth"}, "Please specify the width of popup window", "txtWidth"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- generate

struct GenerateCase {
    const char* name;
    std::vector<std::pair<const char*, std::string>> typed;  // box, UTF-8 text
    std::vector<PopupFeature> ticked;
};

class Generate : public Quillbay, public ::testing::WithParamInterface<GenerateCase> {};

TEST_P(Generate, ShowsTheFourTextsExactlyAndLocksTheInputs) {
    const GenerateCase& t = GetParam();
    PopupSettings settings = startupSettings();
    for (const auto& [box, text] : t.typed) {
        app.setText(c(box), w(text));
        settings.text(*mainlayout::fieldOf(box)) = text;
    }
    for (PopupFeature feature : t.ticked) {
        app.press(c(featureInfo(feature).checkBox));
        settings.setFeature(feature, true);
    }
    app.press(c("Command1"));

    const GeneratedSnippets expected = generate(settings);
    EXPECT_EQ(app.text(c("txtScript")), w(expected.script));
    EXPECT_EQ(app.text(c("txtOnclick")), w(expected.onClick));
    EXPECT_EQ(app.text(c("txtLink")), w(expected.link));
    EXPECT_EQ(app.text(c("txtOnload")), w(expected.onLoad));
    expectGeneratedState(app, true);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Generate,
    ::testing::Values(GenerateCase{"StartValues", {}, {}},
                      GenerateCase{"OnlyToolbars", {}, {PopupFeature::Toolbar}},
                      GenerateCase{"LocationsAndStatus", {}, {PopupFeature::Location, PopupFeature::Status}},
                      GenerateCase{"EveryFeature",
                                   {},
                                   {PopupFeature::Toolbar, PopupFeature::Menubar, PopupFeature::Directories,
                                    PopupFeature::Resize, PopupFeature::Location, PopupFeature::Scroll,
                                    PopupFeature::Status}},
                      GenerateCase{"NonAsciiAndQuotes",
                                   {{"txtFunctionname", "caf\xC3\xA9\xE4\xBE\x8B\xF0\x9F\x98\x80"},
                                    {"txtUrl", "https://example.com/it's \"here\""},
                                    {"txtWinname", " "},
                                    {"txtWidth", "50%"}},
                                   {PopupFeature::Scroll}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Quillbay, ResetBringsTheResetValuesAndEditingState) {
    app.press(c("optResize"));
    app.press(c("Command1"));
    app.press(c("Command5"));

    const PopupSettings reset = resetSettings();
    for (const auto& input : mainlayout::kInputFields)
        EXPECT_EQ(app.text(c(input.box)), w(reset.text(input.field))) << input.box;
    for (const auto& info : kFeatures) EXPECT_FALSE(app.checked(c(info.checkBox))) << info.checkBox;
    for (const char* box : {"txtScript", "txtOnclick", "txtLink", "txtOnload"}) EXPECT_EQ(app.text(c(box)), L"");
    expectGeneratedState(app, false);
}

TEST_F(Quillbay, SelectAllAsksForAScriptFirstThenSelectsAndCopiesItWhole) {
    const auto seen = app.pressForMessage(c("selectone"));
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->text, L"Please Generate the Script first");

    app.press(c("Command1"));
    app.press(c("selectone"));
    const std::wstring script = app.text(c("txtScript"));
    DWORD_PTR selection = 0;
    SendMessageTimeoutW(c("txtScript"), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), script.size());
    EXPECT_TRUE(app.waitForFocus(c("txtScript")));
    EXPECT_EQ(app.copy(c("txtScript")), script) << "the clipboard must hold the script, CR LF and all";
}

// Text in several scripts, so that Wine lays it out in short runs.
std::wstring longText(std::size_t size) {
    std::wstring text = L"https://example.com/?q=";
    while (text.size() < size) text += L"0123456789\u00e9\u4f8b";
    text.resize(size);
    return text;
}

TEST_F(Quillbay, KeepsAMebibytePasteWhole) {
    const std::wstring url = longText(1u << 20);
    app.paste(c("txtUrl"), url);
    EXPECT_TRUE(app.text(c("txtUrl")) == url) << "the paste was cut short or changed";
}

// Past the edit control's own limit of 32,767 characters, in and out. (Wine's multi-line edit control takes
// time that grows with the square of a wrapped line's length, so a mebibyte is not shown here.)
TEST_F(Quillbay, GeneratesAndCopiesTextPastTheControlsOwnLimit) {
    const std::wstring url = longText(40000);
    app.paste(c("txtUrl"), url);
    app.press(c("Command1"));
    app.press(c("selectone"));
    PopupSettings settings = startupSettings();
    settings.url = toUtf8(url);
    EXPECT_TRUE(app.copy(c("txtScript")) == w(generate(settings).script));
}

// Preview hands a page of the generated code to the program registered for web pages: page_recorder stands
// in for the browser and writes down the path it was given; quillbay.exe, and so the recorder, inherit where.
const std::wstring kPageRecord = driverFolder() + L"\\page_recorder.log";
const bool kPageRecordSet = SetEnvironmentVariableW(L"QUILLBAY_RECORD", kPageRecord.c_str());

std::string fileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

// The parameter: whether a program is registered for .html pages.
class Preview : public Quillbay, public ::testing::WithParamInterface<bool> {
protected:
    void TearDown() override {
        quillbay::testing::unregisterPageHandler();
        DeleteFileW(kPageRecord.c_str());
    }
};

TEST_P(Preview, OpensThePageInTheRegisteredBrowserOrSaysThereIsNone) {
    quillbay::testing::unregisterPageHandler();
    DeleteFileW(kPageRecord.c_str());
    if (GetParam()) ASSERT_TRUE(quillbay::testing::registerPageHandler(driverFolder() + L"\\page_recorder.exe"));
    app.press(c("Command1"));
    if (!GetParam()) {
        const auto seen = app.pressForMessage(c("Command2"));
        ASSERT_TRUE(seen) << "no message without a browser";
        EXPECT_NE(seen->text.find(L"no program is set to open web pages"), std::wstring::npos) << toUtf8(seen->text);
        EXPECT_EQ(seen->caption, L"Quillbay");
        EXPECT_TRUE(IsWindowEnabled(c("Command2"))) << "the tool stays usable";
        return;
    }
    app.press(c("Command2"));
    std::string page;
    ASSERT_TRUE(waitUntil([&] { return !(page = fileBytes(fromUtf8(fileBytes(kPageRecord)))).empty(); }, 30000))
        << "the registered browser got no page";
    const GeneratedSnippets snippets = generate(startupSettings());
    for (const std::string& snippet : {snippets.script, snippets.onClick, snippets.link})
        EXPECT_NE(page.find(snippet), std::string::npos) << snippet;
}

INSTANTIATE_TEST_SUITE_P(Browser, Preview, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Registered" : "NoneRegistered"; });

// ---------------------------------------------------------------- About and the end of the program

TEST_F(Quillbay, AboutOpensOnceWithItsCaptionsAndClosesOnEsc) {
    for (int press = 0; press < 2; ++press) {
        app.press(c("Command3"));
        ASSERT_TRUE(waitUntil([&] { return app.findWindow(kAboutClass) != nullptr; }));
        HWND about = app.findWindow(kAboutClass);
        EXPECT_EQ(app.countWindows(kAboutClass), 1);
        EXPECT_EQ(app.text(about), L"About Quillbay");
        EXPECT_EQ(app.text(GetDlgItem(about, aboutLabelId(0))), L"Quillbay");
        EXPECT_EQ(app.text(GetDlgItem(about, aboutLabelId(1))), L"Version 1.0.0");
        EXPECT_EQ(app.text(GetDlgItem(about, kAboutSysInfoId)), L"&System Info...");
        if (press == 1) {
            PostMessageW(GetDlgItem(about, kAboutOkId), WM_KEYDOWN, VK_ESCAPE, 0);
            EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); })) << "Esc did not close About";
        }
    }
    app.press(c("Command3"));
    EXPECT_TRUE(waitUntil([&] { return app.text(app.findWindow(kAboutClass)) == L"About Quillbay"; }))
        << "About did not load again";
}

// Where the recorder writes; quillbay.exe, and so the recorder it starts, inherit the setting.
const std::wstring kRecorderLog = driverFolder() + L"\\sys_info_recorder.log";
const bool kRecorderLogSet = SetEnvironmentVariableW(L"QUILLBAY_RECORDER_LOG", kRecorderLog.c_str());

// The parameter: whether the recorder is registered under MSINFO "PATH".
class SysInfo : public Quillbay, public ::testing::WithParamInterface<bool> {
protected:
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        DeleteFileW(log_.c_str());
    }
    std::wstring log_ = kRecorderLog;
};

TEST_P(SysInfo, StartsTheRegisteredToolOrSaysItIsUnavailable) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location");
    DeleteFileW(log_.c_str());
    const std::wstring recorder = driverFolder() + L"\\sys_info_recorder.exe";
    if (GetParam()) {
        const std::string path = toUtf8(recorder);  // ASCII here, so also the ANSI code page's bytes
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", REG_SZ,
                                  path.c_str(), static_cast<DWORD>(path.size() + 1)),
                  ERROR_SUCCESS);
    }
    app.press(c("Command3"));
    ASSERT_TRUE(waitUntil([&] { return app.findWindow(kAboutClass) != nullptr; }));
    HWND sysInfo = GetDlgItem(app.findWindow(kAboutClass), kAboutSysInfoId);

    if (!GetParam()) {
        // By its access key this time: Alt+S.
        PostMessageW(sysInfo, WM_SYSCHAR, L's', 1 << 29);
        const auto seen = app.closeMessage();
        ASSERT_TRUE(seen) << "Alt+S did not press System Info...";
        EXPECT_EQ(seen->text, L"System Information Is Unavailable At This Time");
        EXPECT_EQ(seen->caption, L"Quillbay");
        return;
    }
    app.press(sysInfo);
    std::wstring record;
    ASSERT_TRUE(waitUntil([&] {
        const std::string bytes = fileBytes(log_);  // the recorder writes UTF-16
        record.assign(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        return !record.empty();
    })) << "the registered tool was not started";
    EXPECT_EQ(CompareStringOrdinal(record.c_str(), -1, (recorder + L"\n0").c_str(), -1, TRUE), CSTR_EQUAL)
        << "started as: " << toUtf8(record);
    EXPECT_EQ(app.countWindows(kAboutClass), 1) << "About stays open";
}

INSTANTIATE_TEST_SUITE_P(Registry, SysInfo, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Registered" : "NothingRegistered"; });

TEST_F(Quillbay, ExitEndsTheProgramAboutIncluded) {
    app.press(c("Command3"));
    ASSERT_TRUE(waitUntil([&] { return app.findWindow(kAboutClass) != nullptr; }));
    PostMessageW(c("Command4"), BM_CLICK, 0, 0);
    EXPECT_EQ(app.waitForExit(), 0u);
}

TEST_F(Quillbay, AboutOutlivesTheMainWindowAndTheLastWindowEndsTheProgram) {
    app.press(c("Command3"));
    ASSERT_TRUE(waitUntil([&] { return app.findWindow(kAboutClass) != nullptr; }));
    PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(app.mainWindow()); }));
    EXPECT_FALSE(app.waitForExit(500)) << "the program ended with About still open";
    PostMessageW(app.findWindow(kAboutClass), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.waitForExit(), 0u);
}

// ---------------------------------------------------------------- resolution

class AtResolution : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { setLogPixels(GetParam()); }
    void TearDown() override { setLogPixels(96); }
    static void setLogPixels(int dpi) {
        const DWORD value = static_cast<DWORD>(dpi);
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &value, sizeof value);
        RegSetKeyValueW(HKEY_CURRENT_CONFIG, L"Software\\Fonts", L"LogPixels", REG_DWORD, &value, sizeof value);
    }
};

TEST_P(AtResolution, PlacesEveryControlAtItsTwips) {
    QuillbayDriver app;
    ASSERT_TRUE(app.started());
    expectDesignGeometry(app, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Scales, AtResolution, ::testing::Values(144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
}  // namespace quillbay::win32::testing
