#include "core/preview/preview_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillbay {
namespace {

std::size_t count(const std::string& haystack, const std::string& needle) {
    std::size_t n = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size())) ++n;
    return n;
}

TEST(PreviewPage, EscapesTheFiveSpecialCharactersAndNothingElse) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", ""},
        {"a&b", "a&amp;b"},
        {"<b>", "&lt;b&gt;"},
        {"\"'", "&quot;&#39;"},
        {"&amp;", "&amp;amp;"},
        {"\xC3\xA9t\xC3\xA9 / ? = # %20", "\xC3\xA9t\xC3\xA9 / ? = # %20"},
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(htmlEscaped(text), escaped) << text;
}

// The snippets are the code under test: each once, byte for byte, however odd the fields; only the user's
// text in the request line is escaped, so no field can add markup of its own there.
TEST(PreviewPage, HoldsTheSnippetsVerbatimAndEscapesTheRequestLine) {
    struct Case {
        std::string PopupSettings::*field;
        std::string text;
    };
    const std::vector<Case> cases{
        {&PopupSettings::url, "https://www.quillbay.example/"},
        {&PopupSettings::url, "x.html?a=1&b=<i>\"q\"</i>'"},
        {&PopupSettings::url, "https://\xC3\xA9t\xC3\xA9.example/caf\xC3\xA9"},
        {&PopupSettings::functionName, "a b"},
        {&PopupSettings::width, "<script>alert(1)</script>"},
        {&PopupSettings::height, "&50%"},
    };
    for (const Case& c : cases) {
        PopupSettings s = startupSettings();
        s.*c.field = c.text;
        const GeneratedSnippets code = generate(s);
        std::string page = previewPage(s);
        for (const std::string& snippet :
             {code.script, "<input type=button value=\"Open the popup\" " + code.onClick + ">", code.link}) {
            ASSERT_EQ(count(page, snippet), 1u) << c.text << " / " << snippet;
            page.erase(page.find(snippet), snippet.size());
        }
        // What is left is our own markup and the request line.
        EXPECT_NE(page.find("<p>" + popupRequestLine(s) + "</p>"), std::string::npos) << c.text;
        if (htmlEscaped(c.text) != c.text) {
            EXPECT_EQ(page.find(c.text), std::string::npos) << c.text;
        }
    }
}

TEST(PreviewPage, IsAUtf8DocumentThatRunsNothingUntilAClick) {
    const std::string page = previewPage(startupSettings());
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n", 0), 0u);
    EXPECT_LT(page.find("<meta charset=\"utf-8\">"), page.find("<script"));
    EXPECT_LT(page.find("</script>"), page.find("</head>"));
    EXPECT_EQ(page.find("onload"), std::string::npos);
    EXPECT_EQ(page.find("onLoad"), std::string::npos);
    EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
}

TEST(PreviewPage, RequestLineNamesTheSizeAndTheTickedFeaturesInTheScriptsOrder) {
    struct Case {
        std::vector<PopupFeature> on;
        std::string says;
    };
    const std::vector<Case> cases{
        {{}, "with none of the window features."},
        {{PopupFeature::Location, PopupFeature::Status}, "with Status Bar, Locations."},
        {{PopupFeature::Toolbar, PopupFeature::Menubar, PopupFeature::Directories, PopupFeature::Resize,
          PopupFeature::Location, PopupFeature::Scroll, PopupFeature::Status},
         "with Status Bar, Scroll Bar, Menu Bar, Resizeable, Directories, Toolbars, Locations."},
    };
    for (const Case& c : cases) {
        PopupSettings s = startupSettings();
        for (PopupFeature f : c.on) s.setFeature(f, true);
        const std::string line = popupRequestLine(s);
        EXPECT_NE(line.find("address https://www.quillbay.example/, a width of 200 and a height of 350"),
                  std::string::npos);
        EXPECT_NE(line.find(c.says), std::string::npos) << line;
        EXPECT_NE(line.find("Your browser decides which bars it shows."), std::string::npos);
    }
}

}  // namespace
}  // namespace quillbay
