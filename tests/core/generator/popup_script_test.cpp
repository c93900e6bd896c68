#include "core/generator/popup_script.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quillbay {
namespace {

std::size_t count(const std::string& haystack, std::string_view needle) {
    std::size_t n = 0;
    for (auto pos = haystack.find(needle); pos != std::string::npos; pos = haystack.find(needle, pos + needle.size()))
        ++n;
    return n;
}

std::string thirdArgument(const GeneratedSnippets& s) {
    const auto open = s.script.find("'width=");
    const auto close = s.script.find("')", open);
    return s.script.substr(open + 1, close - open - 1);
}

TEST(Generate, ResetSettingsGiveTheWorkedExampleByteForByte) {
    PopupSettings settings = resetSettings();
    settings.url = "U";
    const GeneratedSnippets out = generate(settings);
    EXPECT_EQ(out.script,
              "<script language=Javascript>\r\n"
              "function myPopUp(){\r\n"
              "window.open('U','corvane','width=200,height=350,status=0,scrollbars=0,menubar=0,resizable=0,"
              "directories=0,toolbar=0,location=0')\r\n"
              "}\r\n"
              "</script>");
    EXPECT_EQ(out.onClick, "onClick='myPopUp()'");
    EXPECT_EQ(out.link, "<a href='javascript:myPopUp()'>On Link</a>");
    EXPECT_EQ(out.onLoad, "<body onload='myPopUp()'>");
}

TEST(Generate, ScriptHasFiveLinesAndNoTrailingBreak) {
    for (const PopupSettings& settings : {startupSettings(), resetSettings()}) {
        const std::string script = generate(settings).script;
        EXPECT_EQ(count(script, "\r\n"), 4u);
        EXPECT_EQ(count(script, "\n"), 4u) << "a bare LF slipped in";
        EXPECT_EQ(count(script, "\r"), 4u) << "a bare CR slipped in";
        EXPECT_TRUE(script.ends_with("</script>"));
        for (const std::string& other : {generate(settings).onClick, generate(settings).link, generate(settings).onLoad})
            EXPECT_EQ(other.find_first_of("\r\n"), std::string::npos) << other;
    }
}

// Each feature switched on alone lands on its own key and nowhere else; all on, all keys read 1.
TEST(Generate, FeaturesAreWrittenInTheirFixedOrder) {
    struct Case {
        std::vector<PopupFeature> on;
        std::string features;
    };
    const std::vector<Case> cases = {
        {{},
         "status=0,scrollbars=0,menubar=0,resizable=0,directories=0,toolbar=0,location=0"},
        {{PopupFeature::Status},
         "status=1,scrollbars=0,menubar=0,resizable=0,directories=0,toolbar=0,location=0"},
        {{PopupFeature::Scroll},
         "status=0,scrollbars=1,menubar=0,resizable=0,directories=0,toolbar=0,location=0"},
        {{PopupFeature::Menubar},
         "status=0,scrollbars=0,menubar=1,resizable=0,directories=0,toolbar=0,location=0"},
        {{PopupFeature::Resize},
         "status=0,scrollbars=0,menubar=0,resizable=1,directories=0,toolbar=0,location=0"},
        {{PopupFeature::Directories},
         "status=0,scrollbars=0,menubar=0,resizable=0,directories=1,toolbar=0,location=0"},
        {{PopupFeature::Toolbar},
         "status=0,scrollbars=0,menubar=0,resizable=0,directories=0,toolbar=1,location=0"},
        {{PopupFeature::Location},
         "status=0,scrollbars=0,menubar=0,resizable=0,directories=0,toolbar=0,location=1"},
        {{PopupFeature::Toolbar, PopupFeature::Menubar, PopupFeature::Directories, PopupFeature::Resize,
          PopupFeature::Location, PopupFeature::Scroll, PopupFeature::Status},
         "status=1,scrollbars=1,menubar=1,resizable=1,directories=1,toolbar=1,location=1"},
    };
    for (const Case& c : cases) {
        PopupSettings settings = resetSettings();
        for (PopupFeature f : c.on) settings.setFeature(f, true);
        EXPECT_EQ(thirdArgument(generate(settings)), "width=200,height=350," + c.features);
    }
}

// Field texts are copied as typed: no trimming, escaping, number formatting or re-encoding.
TEST(Generate, FieldTextsPassThroughVerbatim) {
    struct Case {
        SettingsField field;
        std::string value;
        std::string expectedInScript;
    };
    const std::vector<Case> cases = {
        {SettingsField::FunctionName, "a b", "function a b(){\r\n"},
        {SettingsField::FunctionName, " myPopUp ", "function  myPopUp (){\r\n"},
        {SettingsField::Url, "http://x.example/it's", "window.open('http://x.example/it's','corvane',"},
        {SettingsField::Url, "page one.html?a=\"1\",b=2", "window.open('page one.html?a=\"1\",b=2','corvane',"},
        {SettingsField::Url, "https://例え.example/ünï/😀", "window.open('https://例え.example/ünï/😀',"},
        {SettingsField::WindowName, "fenêtre 窓 🪟", "','fenêtre 窓 🪟','width="},
        {SettingsField::WindowName, " ", "',' ','width="},
        {SettingsField::Width, "50%", "'width=50%,height=350,"},
        {SettingsField::Width, "-12", "'width=-12,height=350,"},
        {SettingsField::Width, "0200", "'width=0200,height=350,"},
        {SettingsField::Height, "abc", ",height=abc,status="},
        {SettingsField::Height, "<b>&amp;</b>", ",height=<b>&amp;</b>,status="},
    };
    for (const Case& c : cases) {
        PopupSettings settings = resetSettings();
        settings.text(c.field) = c.value;
        const GeneratedSnippets out = generate(settings);
        EXPECT_NE(out.script.find(c.expectedInScript), std::string::npos) << out.script;
        if (c.field == SettingsField::FunctionName) {
            EXPECT_EQ(out.onClick, "onClick='" + c.value + "()'");
            EXPECT_EQ(out.link, "<a href='javascript:" + c.value + "()'>On Link</a>");
            EXPECT_EQ(out.onLoad, "<body onload='" + c.value + "()'>");
        }
    }
}

TEST(Generate, LongFieldsAreKeptWhole) {
    PopupSettings settings = resetSettings();
    settings.url = std::string(65536, 'u');
    settings.functionName = std::string(65536, 'f');
    const GeneratedSnippets out = generate(settings);
    EXPECT_NE(out.script.find("'" + settings.url + "'"), std::string::npos);
    EXPECT_EQ(out.onClick.size(), std::string("onClick='()'").size() + 65536);
}

TEST(Validate, ReportsTheFirstEmptyFieldInItsFixedOrder) {
    using Edit = std::function<void(PopupSettings&)>;
    struct Case {
        const char* name;
        Edit edit;
        std::optional<ValidationFailure> expected;
    };
    const auto clear = [](std::initializer_list<SettingsField> fields) {
        return [fields = std::vector<SettingsField>(fields)](PopupSettings& s) {
            for (SettingsField f : fields) s.text(f).clear();
        };
    };
    const std::vector<Case> cases = {
        {"nothing empty", [](PopupSettings&) {}, std::nullopt},
        {"all empty",
         clear({SettingsField::FunctionName, SettingsField::Url, SettingsField::WindowName, SettingsField::Width,
                SettingsField::Height}),
         ValidationFailure{SettingsField::FunctionName, "Please Input popup function name"}},
        {"url", clear({SettingsField::Url}),
         ValidationFailure{SettingsField::Url, "Please input the url for popup window"}},
        {"url and later", clear({SettingsField::Url, SettingsField::WindowName, SettingsField::Width}),
         ValidationFailure{SettingsField::Url, "Please input the url for popup window"}},
        {"window name", clear({SettingsField::WindowName}),
         ValidationFailure{SettingsField::WindowName, "Please Input the name of window"}},
        {"height before width", clear({SettingsField::Width, SettingsField::Height}),
         ValidationFailure{SettingsField::Height, "Please specify the height of popup window"}},
        {"width alone", clear({SettingsField::Width}),
         ValidationFailure{SettingsField::Width, "Please specify the width of popup window"}},
        {"blanks are not empty",
         [](PopupSettings& s) {
             for (SettingsField f : {SettingsField::FunctionName, SettingsField::Url, SettingsField::WindowName,
                                     SettingsField::Width, SettingsField::Height})
                 s.text(f) = " ";
         },
         std::nullopt},
        {"non-numbers pass",
         [](PopupSettings& s) {
             s.width = "wide";
             s.height = "-5";
             s.functionName = "has blanks in it";
         },
         std::nullopt},
    };
    for (const Case& c : cases) {
        PopupSettings settings = startupSettings();
        c.edit(settings);
        EXPECT_EQ(validate(settings), c.expected) << c.name;
    }
}

TEST(Defaults, ResetDiffersFromStartOnlyInAddressAndWindowName) {
    const PopupSettings start = startupSettings();
    const PopupSettings reset = resetSettings();
    EXPECT_EQ(start.windowName, "dorvelWin");
    EXPECT_EQ(reset.windowName, "corvane");
    EXPECT_NE(start.url, reset.url);
    for (const std::string& url : {start.url, reset.url}) {
        EXPECT_TRUE(url.starts_with("https://")) << url;
        EXPECT_NE(url.find(".example/"), std::string::npos) << url;
    }
    PopupSettings aligned = reset;
    aligned.url = start.url;
    aligned.windowName = start.windowName;
    EXPECT_EQ(aligned, start);
    for (const FeatureInfo& f : kFeatures) EXPECT_FALSE(start.feature(f.feature)) << f.checkBox;
}

TEST(FeatureTable, PositionsFormAPermutationAndEachRowDescribesItsOwnFeature) {
    std::array<int, kFeatureCount + 1> seen{};
    for (std::size_t i = 0; i < kFeatures.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(kFeatures[i].feature), i);
        ++seen.at(kFeatures[i].scriptPosition);
    }
    for (std::size_t pos = 1; pos <= kFeatureCount; ++pos) EXPECT_EQ(seen[pos], 1) << pos;
    EXPECT_EQ(featureText(true), "1");
    EXPECT_EQ(featureText(false), "0");
}

}  // namespace
}  // namespace quillbay
