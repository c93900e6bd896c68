// quillbay-generate as its users meet it: arguments in; the bytes of both outputs and the exit status out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillbay/version.h"
#include "support/run_program.h"

namespace quillbay {
namespace {

#ifdef _WIN32
constexpr std::string_view kEol = "\r\n";
#else
constexpr std::string_view kEol = "\n";
#endif

using Args = std::vector<std::string>;

testing::ProgramRun generate(const Args& args) {
    static const auto program = testing::besideThisTest(QUILLBAY_GENERATE_FILE);
    return testing::runProgram(program, args);
}

std::string lines(std::initializer_list<std::string_view> each) {
    std::string out;
    for (std::string_view line : each) out.append(line).append(kEol);
    return out;
}

std::string script(std::string_view url, std::string_view window, std::string_view sizeAndFeatures) {
    return "<script language=Javascript>\r\nfunction myPopUp(){\r\nwindow.open('" + std::string(url) + "','" +
           std::string(window) + "','" + std::string(sizeAndFeatures) + "')\r\n}\r\n</script>";
}

constexpr std::string_view kStartFeatures =
    "width=200,height=350,status=0,scrollbars=0,menubar=0,resizable=0,directories=0,toolbar=0,location=0";

struct Printed {
    Args args;
    std::string out;
};

TEST(GenerateProgram, PrintsTheSnippetsAsAsked) {
    const std::vector<Printed> cases = {
        {{},
         lines({"Please input the below code between <head> and </head> tags", "<script language=Javascript>",
                "function myPopUp(){", "window.open('https://www.quillbay.example/','dorvelWin','" +
                std::string(kStartFeatures) + "')", "}", "</script>", "", "Call Function \"On Click\"",
                "onClick='myPopUp()'", "", "Call Function on link", "<a href='javascript:myPopUp()'>On Link</a>", "",
                "Call Function \"OnLoad\"", "<body onload='myPopUp()'>"})},
        {{"--part", "script", "--all-features", "--feature", "menubar"},
         script("https://www.quillbay.example/", "dorvelWin",
                "width=200,height=350,status=1,scrollbars=1,menubar=1,resizable=1,directories=1,toolbar=1,location=1")},
        {{"--part=onclick", "--function", "first", "--function=last"}, "onClick='last()'"},
        {{"--part", "link", "--function", "--json", "--"}, "<a href='javascript:--json()'>On Link</a>"},
        {{"--part", "script", "--url", "https://例え.example/é?q=\"1\"", "--window-name", "窓 😀", "--width", "50%",
          "--height", "abc", "--feature", "location", "--feature", "status", "--feature", "status"},
         script("https://例え.example/é?q=\"1\"", "窓 😀",
                "width=50%,height=abc,status=1,scrollbars=0,menubar=0,resizable=0,directories=0,toolbar=0,location=1")},
        {{"--json"},
         "{\"script\":\"<script language=Javascript>\\r\\nfunction myPopUp(){\\r\\nwindow.open("
         "'https://www.quillbay.example/','dorvelWin','" + std::string(kStartFeatures) +
         "')\\r\\n}\\r\\n</script>\",\"onClick\":\"onClick='myPopUp()'\",\"link\":\"<a href='javascript:myPopUp()'>"
         "On Link</a>\",\"onLoad\":\"<body onload='myPopUp()'>\"}" + std::string(kEol)},
        {{"--json", "--part", "onclick", "--function", "q\"\\\t\x01\n/é例😀"},
         "{\"onClick\":\"onClick='q\\\"\\\\\\t\\u0001\\n/é例😀()'\"}" + std::string(kEol)},
        {{"--version"}, lines({std::string("quillbay-generate (Quillbay) ") + kVersionText})},
    };
    for (const Printed& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const testing::ProgramRun run = generate(c.args);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.status, 0);
    }
    const testing::ProgramRun help = generate({"-h"});
    EXPECT_TRUE(help.out.starts_with("Usage: quillbay-generate [OPTION]..." + std::string(kEol))) << help.out;
    EXPECT_EQ(help.status, 0);
}

struct Refused {
    Args args;
    std::string err;
};

TEST(GenerateProgram, RefusesWithOneLineAndStatusTwo) {
    const std::string help = "; see quillbay-generate --help";
    const std::vector<Refused> cases = {
        {{"--function", "", "--url", "", "--window-name", "", "--width", "", "--height", ""},
         "Please Input popup function name"},
        {{"--url="}, "Please input the url for popup window"},
        {{"--window-name", "", "--part", "script", "--check"}, "Please Input the name of window"},
        {{"--width", "", "--height", "", "--json"}, "Please specify the height of popup window"},
        {{"--width", ""}, "Please specify the width of popup window"},
        {{"--bogus"}, "unknown option '--bogus'" + help},
        {{"--feature", "Status"},
         "unknown feature 'Status' (status, scrollbars, menubar, resizable, directories, toolbar or location)" + help},
        {{"--part", "all"}, "unknown part 'all' (script, onclick, link or onload)" + help},
        {{"--json", "--url"}, "option '--url' needs a value" + help},
        {{"--", "--help"}, "unexpected argument '--help'" + help},
        {{"-x\ny"}, "unknown option '-x?y'" + help},
#ifndef _WIN32  // only a POSIX command line can carry bytes that are not UTF-8
        {{"--json", "--window-name", "\xc0\xafwin"}, "--window-name is not valid UTF-8, which JSON cannot carry"},
        {{"--json", "--url", "caf\xe9 au lait"}, "--url is not valid UTF-8, which JSON cannot carry"},
        {{"--feature", "st\xe9tus"}, "unknown feature 'st?tus' (status, scrollbars, menubar, resizable, directories, "
                                      "toolbar or location)" + help},
#else  // and only a Windows one a lone UTF-16 surrogate (U+D800 and U+DC00 here), with or without JSON
        {{"--url", "caf\xed\xa0\x80"}, "--url holds a lone UTF-16 surrogate, which is not text"},
        {{"--json", "--function", "f\xed\xb0\x80\xed\xa0\x80"},  // the two halves of a pair, in the wrong order
         "--function holds a lone UTF-16 surrogate, which is not text"},
#endif
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const testing::ProgramRun run = generate(c.args);
        EXPECT_EQ(run.err, lines({"quillbay-generate: " + c.err}));
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.status, 2);
    }
}

struct Checked {
    Args args;
    std::vector<std::string> warnings;  // the start of each line after "quillbay-generate: warning: "
};

TEST(GenerateProgram, CheckWarnsWithoutChangingTheOutput) {
    const std::string onLoad = "browsers block the popup of the OnLoad snippet";
    const std::vector<Checked> cases = {
        {{}, {onLoad}},
        {{"--part", "script", "--function", "$ok_1", "--width", "0200", "--window-name", "win_1"}, {}},
        {{"--part", "link", "--function", "it's"}, {"--function holds '", "--function is not a script identifier"}},
        {{"--part", "link", "--url", "a'b", "--window-name", "a'b"},
         {"--url holds '", "--window-name holds '", "--window-name holds characters other than"}},
        {{"--part", "link", "--url", "x</SCRIPT >", "--height", "</script>"},
         {"--url holds </script", "--height holds </script", "--height is not a whole number above zero"}},
        {{"--part", "link", "--function", "1st"}, {"--function is not a script identifier"}},
        {{"--part", "link", "--function", "class"}, {"--function is not a script identifier"}},
        {{"--part", "link", "--function", "café"}, {"--function is not a script identifier"}},
        {{"--part", "link", "--width", "0", "--height", " 5"},
         {"--width is not a whole number above zero", "--height is not a whole number above zero"}},
        {{"--part", "link", "--window-name", "my-win"}, {"--window-name holds characters other than"}},
        {{"--part", "link", "--all-features"},
         {"--feature status, scrollbars, menubar, resizable, toolbar and location together ask for an ordinary "
          "window or tab, not a popup"}},
    };
    for (const Checked& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        Args checked = c.args;
        checked.push_back("--check");
        const testing::ProgramRun run = generate(checked);
        EXPECT_EQ(run.out, generate(c.args).out);
        EXPECT_EQ(run.status, 0);
        std::vector<std::string> seen;
        for (std::size_t at = 0, end; (end = run.err.find(kEol, at)) != std::string::npos; at = end + kEol.size())
            seen.push_back(run.err.substr(at, end - at));
        ASSERT_EQ(seen.size(), c.warnings.size()) << run.err;
        for (std::size_t i = 0; i < seen.size(); ++i)
            EXPECT_TRUE(seen[i].starts_with("quillbay-generate: warning: " + c.warnings[i])) << seen[i];
    }
}

#ifndef _WIN32
TEST(GenerateProgram, AnOutputThatCannotBeWrittenFailsTheRun) {
    const std::string program = testing::besideThisTest(QUILLBAY_GENERATE_FILE).string();
    const testing::ProgramRun run = testing::runProgram("/bin/sh", {"-c", "exec \"$0\" >/dev/full", program});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "quillbay-generate: could not write the output: No space left on device\n");
}
#endif

}  // namespace
}  // namespace quillbay
