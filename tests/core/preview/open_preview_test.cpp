#include "core/preview/open_preview.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/busy_indicator.h"
#include "support/preview_fakes.h"

namespace quillbay {
namespace {

using testing::Call;
using testing::RecordingFactory;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

PopupSettings settingsWith(std::initializer_list<PopupFeature> on) {
    PopupSettings s = startupSettings();
    for (PopupFeature f : on) s.setFeature(f, true);
    return s;
}

std::vector<Call> bars(long long address, long long status, long long tool, long long menu, long long resize) {
    return {{"put_AddressBar", address}, {"put_StatusBar", status}, {"put_ToolBar", tool},
            {"put_MenuBar", menu},       {"put_Resizable", resize}};
}

std::vector<Call> head(const PopupSettings& s, long long height, long long width) {
    return {{"put_Visible", -1}, {"Navigate", 0, s.url}, {"put_Height", height},
            {"put_Width", width}};
}

std::vector<Call> concat(std::vector<Call> a, const std::vector<Call>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(OpenPreview, CallsEveryStepInOrderAndReleasesTheBrowser) {
    RecordingFactory factory;
    const PopupSettings s = settingsWith({PopupFeature::Location, PopupFeature::Status, PopupFeature::Toolbar,
                                          PopupFeature::Menubar, PopupFeature::Resize});
    EXPECT_EQ(OpenPreview(s, factory), std::nullopt);
    EXPECT_EQ(factory.creates, 1);
    // The tool bar takes the check box's 1, the other four the automation boolean -1.
    EXPECT_EQ(factory.journal.calls, concat(head(s, 350, 200), bars(-1, -1, 1, -1, -1)));
    EXPECT_TRUE(factory.journal.released);
}

// Each check box reaches exactly its own bar; scroll bars and directories reach nothing.
TEST(OpenPreview, EachFeatureReachesOnlyItsOwnBar) {
    struct Case {
        std::vector<PopupFeature> on;
        std::vector<Call> expected;
    };
    const std::vector<Case> cases{
        {{}, bars(0, 0, 0, 0, 0)},
        {{PopupFeature::Scroll, PopupFeature::Directories}, bars(0, 0, 0, 0, 0)},
        {{PopupFeature::Location}, bars(-1, 0, 0, 0, 0)},
        {{PopupFeature::Status}, bars(0, -1, 0, 0, 0)},
        {{PopupFeature::Toolbar}, bars(0, 0, 1, 0, 0)},
        {{PopupFeature::Menubar}, bars(0, 0, 0, -1, 0)},
        {{PopupFeature::Resize}, bars(0, 0, 0, 0, -1)},
    };
    for (const Case& c : cases) {
        RecordingFactory factory;
        PopupSettings s = startupSettings();
        for (PopupFeature f : c.on) s.setFeature(f, true);
        ASSERT_EQ(OpenPreview(s, factory), std::nullopt);
        const std::vector<Call> tail(factory.journal.calls.begin() + 4, factory.journal.calls.end());
        EXPECT_EQ(tail, c.expected) << "features on: " << c.on.size();
    }
}

// The preview never validates: the texts reach the browser as typed, whatever the window name.
TEST(OpenPreview, PassesTheAddressUnchangedAndIgnoresNameAndFunction) {
    for (const char* url : {"www.example.com/page one.html", " http://a b ", "not a url at all", "\xC3\xA9t\xC3\xA9.fr"}) {
        RecordingFactory factory;
        PopupSettings s = startupSettings();
        s.url = url;
        s.windowName.clear();
        s.functionName = "no such function";
        ASSERT_EQ(OpenPreview(s, factory), std::nullopt);
        EXPECT_EQ(factory.journal.calls.at(1), (Call{"Navigate", 0, url}));
    }
}

TEST(OpenPreview, TwoPressesMakeTwoBrowsers) {
    RecordingFactory factory;
    const PopupSettings s = startupSettings();
    OpenPreview(s, factory);
    OpenPreview(s, factory);
    EXPECT_EQ(factory.creates, 2);
}

// A failing step ends the preview there; the steps before it stay done and the browser is released.
TEST(OpenPreview, StopsAtTheFirstFailedCall) {
    const std::vector<std::string> order{"put_Visible", "Navigate",     "put_Height",  "put_Width",    "put_AddressBar",
                                         "put_StatusBar", "put_ToolBar", "put_MenuBar", "put_Resizable"};
    for (std::size_t i = 0; i < order.size(); ++i) {
        RecordingFactory factory;
        const std::string failing = order[i];
        factory.journal.answer = [&](const std::string& name) { return name == failing ? hr::kInvalidArg : hr::kOk; };
        const std::optional<PreviewFailure> failure = OpenPreview(startupSettings(), factory);
        ASSERT_TRUE(failure) << failing;
        EXPECT_EQ(static_cast<std::size_t>(failure->step), i + 1) << failing;
        EXPECT_EQ(failure->code, hr::kInvalidArg);
        EXPECT_THAT(failure->message, HasSubstr("refused")) << failing;
        EXPECT_THAT(failure->message, HasSubstr("0x80070057"));
        ASSERT_EQ(factory.journal.calls.size(), i + 1) << failing;
        EXPECT_EQ(factory.journal.calls.back().name, failing);
        EXPECT_TRUE(factory.journal.released);
    }
}

TEST(OpenPreview, SaysWhetherTheBrowserRefusedWentSilentOrWentAway) {
    struct Case {
        HResult code;
        const char* says;
    };
    for (const Case& c : {Case{hr::kTimeout, "did not answer when asked to set the window width to 200"},
                          Case{hr::kDisconnected, "closed when asked to set the window width to 200"},
                          Case{hr::kFail, "refused to set the window width to 200 (error 0x80004005)"},
                          Case{hr::kUnexpected, "gave an answer Quillbay does not understand when asked to set the window "
                                                "width to 200."},
                          Case{hr::kOutOfTime, "did not answer in time, so Quillbay stopped waiting for it. Its window "
                                               "may stay open."}}) {
        RecordingFactory factory;
        factory.journal.answer = [&](const std::string& name) { return name == "put_Width" ? c.code : hr::kOk; };
        const auto failure = OpenPreview(startupSettings(), factory);
        ASSERT_TRUE(failure);
        EXPECT_THAT(failure->message, HasSubstr(c.says));
    }
}

TEST(OpenPreview, PositiveResultCodesAreSuccess) {
    RecordingFactory factory;
    factory.journal.answer = [](const std::string&) { return 1; };  // S_FALSE
    EXPECT_EQ(OpenPreview(startupSettings(), factory), std::nullopt);
    EXPECT_EQ(factory.journal.calls.size(), 9u);
}

TEST(OpenPreview, ABrowserThatCannotBeMadeEndsItBeforeAnyCall) {
    RecordingFactory factory;
    factory.fail = true;
    factory.failCode = hr::kTimeout;
    factory.failText = "The preview browser did not start within 15 seconds.";
    const auto failure = OpenPreview(startupSettings(), factory);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, PreviewStep::Create);
    EXPECT_EQ(failure->code, hr::kTimeout);
    EXPECT_EQ(failure->message, factory.failText);
    EXPECT_TRUE(factory.journal.calls.empty());

    // A factory that fails without a word, or with a success code, still gives a message and a failure code.
    factory.failText.clear();
    factory.failCode = hr::kOk;
    const auto silent = OpenPreview(startupSettings(), factory);
    ASSERT_TRUE(silent);
    EXPECT_FALSE(succeeded(silent->code));
    EXPECT_FALSE(silent->message.empty());
}

// Sizes are converted after Navigate, height first: the window is already showing the page
// when a bad number is found.
TEST(OpenPreview, BadSizesFailAfterNavigateNamingTheFieldAndQuotingTheText) {
    struct Case {
        const char* height;
        const char* width;
        std::size_t callsMade;
        PreviewStep step;
        const char* says;
    };
    const std::vector<Case> cases{
        {"abc", "200", 2, PreviewStep::Height, "The height \"abc\" is not a whole number"},
        {"abc", "xyz", 2, PreviewStep::Height, "The height \"abc\""},
        {"350", "12.5", 3, PreviewStep::Width, "The width \"12.5\" is not a whole number"},
        {"350", " ", 3, PreviewStep::Width, "The width \" \" is not a whole number"},
        {"2147483648", "200", 2, PreviewStep::Height, "The height \"2147483648\" is out of range"},
        {"350", "-2147483649", 3, PreviewStep::Width, "between -2147483648 and 2147483647"},
    };
    for (const Case& c : cases) {
        RecordingFactory factory;
        PopupSettings s = startupSettings();
        s.height = c.height;
        s.width = c.width;
        const auto failure = OpenPreview(s, factory);
        ASSERT_TRUE(failure) << c.height << " x " << c.width;
        EXPECT_EQ(failure->step, c.step);
        EXPECT_EQ(failure->code, hr::kInvalidArg);
        EXPECT_THAT(failure->message, HasSubstr(c.says));
        EXPECT_EQ(factory.journal.calls.size(), c.callsMade);
        EXPECT_EQ(factory.journal.calls.at(1).name, "Navigate");
        EXPECT_TRUE(factory.journal.released);
    }
}

// A message quotes the start of a long field, marked as cut, never the whole of it.
TEST(OpenPreview, MessagesQuoteOnlyTheStartOfALongField) {
    const std::string digits(128 * 1024, '7');
    struct Case {
        const char* what;
        std::string PopupSettings::*field;
        std::string text;
        HResult navigateAnswer;
        std::string quoted;
    };
    const std::vector<Case> cases{
        {"width that is no number", &PopupSettings::width, digits + "px", hr::kOk, std::string(40, '7')},
        {"height out of range", &PopupSettings::height, digits, hr::kOk, std::string(40, '7')},
        {"address refused", &PopupSettings::url, "http://" + digits, hr::kFail, "http://" + std::string(33, '7')},
        // Characters are counted, not bytes, and none is cut in half.
        {"four bytes at the cut", &PopupSettings::width, std::string(39, 'w') + "\xF0\x9D\x84\x9E" + digits, hr::kOk,
         std::string(39, 'w') + "\xF0\x9D\x84\x9E"},
        {"two-byte characters", &PopupSettings::height, [] {
             std::string e;
             for (int i = 0; i < 41; ++i) e += "\xC3\xA9";
             return e;
         }(), hr::kOk, [] {
             std::string e;
             for (int i = 0; i < 40; ++i) e += "\xC3\xA9";
             return e;
         }()},
    };
    for (const Case& c : cases) {
        RecordingFactory factory;
        factory.journal.answer = [&](const std::string& call) {
            return call == "Navigate" ? c.navigateAnswer : hr::kOk;
        };
        PopupSettings s = startupSettings();
        s.*c.field = c.text;
        const auto failure = OpenPreview(s, factory);
        ASSERT_TRUE(failure) << c.what;
        EXPECT_THAT(failure->message, HasSubstr("\"" + c.quoted + "\xE2\x80\xA6\"")) << c.what;
        EXPECT_LT(failure->message.size(), 200u) << c.what;
    }
}

TEST(OpenPreview, AnAddressTooLongToSendIsSaidToBeTooLong) {
    RecordingFactory factory;
    factory.journal.answer = [](const std::string& name) { return name == "Navigate" ? hr::kTooLong : hr::kOk; };
    PopupSettings s = startupSettings();
    s.url = std::string(180000, '\x01');
    const auto failure = OpenPreview(s, factory);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->step, PreviewStep::Navigate);
    EXPECT_EQ(failure->message, "The address is too long to preview (180,000 characters).");
    EXPECT_TRUE(factory.journal.released);
}

TEST(OpenPreview, SizesReachTheBrowserAsNumbers) {
    RecordingFactory factory;
    PopupSettings s = startupSettings();
    s.height = " +0480 ";
    s.width = "-20";  // the browser, not the tool, decides what it accepts
    ASSERT_EQ(OpenPreview(s, factory), std::nullopt);
    EXPECT_EQ(factory.journal.calls.at(2), (Call{"put_Height", 480}));
    EXPECT_EQ(factory.journal.calls.at(3), (Call{"put_Width", -20}));
}

TEST(ParseInt32, AcceptsDigitsWithOptionalSignAndBlanks) {
    struct Case {
        const char* text;
        Int32Parse result;
        std::int32_t value;
    };
    const std::vector<Case> cases{
        {"200", Int32Parse::Ok, 200},
        {"0", Int32Parse::Ok, 0},
        {"007", Int32Parse::Ok, 7},
        {"-0", Int32Parse::Ok, 0},
        {"+15", Int32Parse::Ok, 15},
        {"  350\t", Int32Parse::Ok, 350},
        {"2147483647", Int32Parse::Ok, 2147483647},
        {"-2147483648", Int32Parse::Ok, -2147483647 - 1},
        {"00000000000000000000042", Int32Parse::Ok, 42},
        {"2147483648", Int32Parse::OutOfRange, 0},
        {"-2147483649", Int32Parse::OutOfRange, 0},
        {"99999999999999999999999", Int32Parse::OutOfRange, 0},
        {"", Int32Parse::NotWholeNumber, 0},
        {"   ", Int32Parse::NotWholeNumber, 0},
        {"-", Int32Parse::NotWholeNumber, 0},
        {"+-1", Int32Parse::NotWholeNumber, 0},
        {"1 2", Int32Parse::NotWholeNumber, 0},
        {"12px", Int32Parse::NotWholeNumber, 0},
        {"1e3", Int32Parse::NotWholeNumber, 0},
        {"0x10", Int32Parse::NotWholeNumber, 0},
        {"3.0", Int32Parse::NotWholeNumber, 0},
        {"\xEF\xBC\x91", Int32Parse::NotWholeNumber, 0},  // a full-width digit one
        {"\n200", Int32Parse::NotWholeNumber, 0},
    };
    for (const Case& c : cases) {
        std::int32_t value = 0;
        EXPECT_EQ(parseInt32(c.text, value), c.result) << '"' << c.text << '"';
        if (c.result == Int32Parse::Ok) {
            EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        }
    }
}

TEST(PreviewService, TellsOnceOnFailureAndNothingOnSuccess) {
    std::vector<std::string> told;
    const auto tell = [&](const std::string& text) { told.push_back(text); };
    RecordingFactory factory;
    const PreviewService service(factory);

    service(startupSettings(), tell);
    EXPECT_TRUE(told.empty());

    PopupSettings s = startupSettings();
    s.width = "wide";
    service(s, tell);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_THAT(told[0], HasSubstr("The width \"wide\""));
}

// The busy cursor shows for the whole of the steps, and is gone before any message.
TEST(PreviewService, ShowsItIsBusyWhileTheStepsRunButNotDuringTheMessage) {
    struct Watch final : BusyIndicator {
        void begin() override { seen.push_back("busy"); }
        void end() override { seen.push_back("done"); }
        std::vector<std::string> seen;
    };
    const std::vector<std::string> steps{"put_Visible", "Navigate", "put_Height"};
    for (const char* width : {"200", "wide"}) {
        Watch watch;
        RecordingFactory factory;
        factory.journal.answer = [&](const std::string& call) {
            if (std::find(steps.begin(), steps.end(), call) != steps.end()) watch.seen.push_back(call);
            return hr::kOk;
        };
        PopupSettings s = startupSettings();
        s.width = width;
        PreviewService(factory, &watch)(s, [&](const std::string&) { watch.seen.push_back("message"); });
        std::vector<std::string> expected{"busy", "put_Visible", "Navigate", "put_Height", "done"};
        if (std::string(width) == "wide") expected.push_back("message");
        EXPECT_EQ(watch.seen, expected) << width;
    }
}

}  // namespace
}  // namespace quillbay
