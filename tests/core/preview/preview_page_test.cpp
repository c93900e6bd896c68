#include "core/preview/preview_page.h"

#include <gtest/gtest.h>

namespace quillbay {
namespace {

// The snippets are the code under test: each once, byte for byte, however odd the fields. The user's text
// in the request line is escaped, so no field adds markup of its own there.
TEST(PreviewPage, HoldsTheSnippetsVerbatimAndOnlyEscapedUserTextBesideThem) {
    EXPECT_EQ(htmlEscaped("a&<>\"'\xC3\xA9"), "a&amp;&lt;&gt;&quot;&#39;\xC3\xA9");
    for (const char* url : {"x.html?a=1&b=<i>\"q\"</i>'", "https://\xC3\xA9t\xC3\xA9.example/", "</script>"}) {
        PopupSettings s = startupSettings();
        s.url = url;
        s.height = "&50%";
        const GeneratedSnippets code = generate(s);
        std::string page = previewPage(s);
        for (const std::string& snippet :
             {code.script, "<input type=button value=\"Open the popup\" " + code.onClick + ">", code.link}) {
            const auto at = page.find(snippet);
            ASSERT_NE(at, std::string::npos) << snippet;
            page.erase(at, snippet.size());
            EXPECT_EQ(page.find(snippet), std::string::npos) << snippet;
        }
        EXPECT_NE(page.find("<p>" + popupRequestLine(s) + "</p>"), std::string::npos);
        EXPECT_NE(page.find("address " + htmlEscaped(url) + ", a width of 200 and a height of &amp;50%"),
                  std::string::npos);
        if (htmlEscaped(url) != url) {
            EXPECT_EQ(page.find(url), std::string::npos) << url;
        }
        // A UTF-8 document that runs nothing until a click: browsers block popups that no click opened.
        EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">", 0), 0u);
        EXPECT_EQ(page.find("onload"), std::string::npos);
        EXPECT_EQ(page.find("onLoad"), std::string::npos);
    }
}

TEST(PreviewPage, RequestLineNamesTheTickedFeaturesInTheScriptsOrder) {
    const std::vector<std::pair<std::vector<PopupFeature>, std::string>> cases{
        {{}, "with none of the window features. Your browser decides which bars it shows."},
        {{PopupFeature::Location, PopupFeature::Status}, "with Status Bar, Locations. Your browser"},
        {{PopupFeature::Toolbar, PopupFeature::Menubar, PopupFeature::Directories, PopupFeature::Resize,
          PopupFeature::Location, PopupFeature::Scroll, PopupFeature::Status},
         "with Status Bar, Scroll Bar, Menu Bar, Resizeable, Directories, Toolbars, Locations."},
    };
    for (const auto& [on, says] : cases) {
        PopupSettings s = startupSettings();
        for (PopupFeature f : on) s.setFeature(f, true);
        EXPECT_NE(popupRequestLine(s).find(says), std::string::npos) << popupRequestLine(s);
    }
}

}  // namespace
}  // namespace quillbay
