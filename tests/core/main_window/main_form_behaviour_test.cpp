// The main window's commands over a window with no toolkit: one row per command and starting state.
#include "core/main_window/main_form_behaviour.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/fake_main_form_view.h"

namespace quillbay {
namespace {

using testing::FakeMainFormView;

const std::vector<std::string> kInputs{"txtFunctionname", "txtUrl", "txtWinname", "txtWidth", "txtHeight"};
const std::vector<std::string> kOutputs{"txtScript", "txtOnclick", "txtLink", "txtOnload"};

enum class State { Editing, Generated };

// Which controls are enabled is what tells the two states apart.
void expectState(const FakeMainFormView& view, State state, const std::string& row) {
    const bool generated = state == State::Generated;
    for (const auto& box : kInputs) EXPECT_EQ(view.enabled.at(box), !generated) << row << ": " << box;
    for (const FeatureInfo& info : kFeatures)
        EXPECT_EQ(view.enabled.at(std::string(info.checkBox)), !generated) << row << ": " << info.checkBox;
    EXPECT_EQ(view.enabled.at("Command1"), !generated) << row;
    for (const auto& box : kOutputs) {
        EXPECT_EQ(view.enabled.at(box), generated) << row << ": " << box;
        EXPECT_EQ(view.texts.at(box).empty(), !generated) << row << ": " << box;
    }
    for (const char* button : {"Command2", "Command5"}) EXPECT_EQ(view.enabled.at(button), generated) << row;
    for (const char* button : {"Command3", "Command4", "selectone"}) EXPECT_TRUE(view.enabled.at(button)) << row;
}

struct Row {
    const char* name;
    std::function<void(FakeMainFormView&, MainFormBehaviour&)> arrange;
    void (MainFormBehaviour::*command)();
    std::vector<std::string> told;
    std::string focus;  // where the focus ends
    State state;
    std::function<void(const FakeMainFormView&)> check = [](const FakeMainFormView&) {};
};

void clear(FakeMainFormView& v, std::initializer_list<const char*> boxes) {
    for (const char* box : boxes) v.texts.at(box).clear();
}
void generated(FakeMainFormView& v, MainFormBehaviour& b) {
    for (const FeatureInfo& info : kFeatures) v.checked.at(std::string(info.checkBox)) = true;
    v.texts.at("txtFunctionname") = "other";
    b.Command1_Click();
    v.log.clear();
}
auto focusOn(const char* control) {
    return [control](FakeMainFormView& v, MainFormBehaviour&) { v.focus = control; };
}

const Row kRows[] = {
    // Generate with empty fields: the first one's message, the focus on it, nothing else touched. (Each
    // field's own message and focus are checked through the Windows program, end to end.)
    {"all five empty", [](auto& v, auto&) { clear(v, {"txtFunctionname", "txtUrl", "txtWinname", "txtWidth", "txtHeight"}); },
     &MainFormBehaviour::Command1_Click, {"Please Input popup function name"}, "txtFunctionname", State::Editing},
    {"height before width", [](auto& v, auto&) { clear(v, {"txtWidth", "txtHeight"}); },
     &MainFormBehaviour::Command1_Click, {"Please specify the height of popup window"}, "txtHeight", State::Editing},
    {"width empty", [](auto& v, auto&) { clear(v, {"txtWidth"}); }, &MainFormBehaviour::Command1_Click,
     {"Please specify the width of popup window"}, "txtWidth", State::Editing,
     [](const auto& v) { EXPECT_EQ(v.log, (std::vector<std::string>{"tell", "focus txtWidth"})); }},

    // Generate that succeeds: the four texts, in order, then the inputs locked; the focus leaves a control
    // about to be disabled for the script box, and stays where it was otherwise.
    {"generate from the first box", {}, &MainFormBehaviour::Command1_Click, {}, "txtScript", State::Generated,
     [](const auto& v) {
         const GeneratedSnippets expected = generate(startupSettings());
         EXPECT_EQ(v.texts.at("txtScript"), expected.script);
         EXPECT_EQ(v.texts.at("txtOnclick"), expected.onClick);
         EXPECT_EQ(v.texts.at("txtLink"), expected.link);
         EXPECT_EQ(v.texts.at("txtOnload"), expected.onLoad);
         const std::vector<std::string> head{"enable Command5", "enable Command2", "enable txtScript",
                                             "enable txtOnclick", "enable txtOnload", "enable txtLink",
                                             "text txtScript", "text txtOnclick", "text txtLink", "text txtOnload",
                                             "focus txtScript", "disable Command1"};
         ASSERT_GE(v.log.size(), head.size());
         EXPECT_EQ(std::vector<std::string>(v.log.begin(), v.log.begin() + head.size()), head);
     }},
    {"generate pressed on its button", focusOn("Command1"), &MainFormBehaviour::Command1_Click, {}, "txtScript",
     State::Generated},
    {"generate from a check box", focusOn("optResize"), &MainFormBehaviour::Command1_Click, {}, "txtScript",
     State::Generated},
    {"generate with the focus on Exit", focusOn("Command4"), &MainFormBehaviour::Command1_Click, {}, "Command4",
     State::Generated},
    {"blanks are not empty", [](auto& v, auto&) { v.texts.at("txtWinname") = " "; v.texts.at("txtWidth") = "50%"; },
     &MainFormBehaviour::Command1_Click, {}, "txtScript", State::Generated,
     [](const auto& v) { EXPECT_NE(v.texts.at("txtScript").find("',' ','width=50%,"), std::string::npos); }},

    // Reset: the Reset values, not the start-up ones; outputs emptied, then disabled, in their own order.
    {"reset after generate", generated, &MainFormBehaviour::Command5_Click, {}, "txtScript", State::Editing,
     [](const auto& v) {
         for (const auto& box : kInputs)
             EXPECT_EQ(v.texts.at(box), resetSettings().text(*mainlayout::fieldOf(box))) << box;
         EXPECT_EQ(v.texts.at("txtWinname"), "corvane");
         EXPECT_NE(v.texts.at("txtUrl"), startupSettings().url);
         for (const auto& [box, on] : v.checked) EXPECT_FALSE(on) << box;
         const std::vector<std::string> outputs{"text txtOnclick", "disable txtOnclick", "text txtOnload",
                                                "disable txtOnload", "text txtLink", "disable txtLink",
                                                "text txtScript", "disable txtScript", "enable Command1",
                                                "disable Command5", "disable Command2"};
         ASSERT_GE(v.log.size(), outputs.size());
         EXPECT_EQ(std::vector<std::string>(v.log.end() - static_cast<long>(outputs.size()), v.log.end()), outputs);
     }},

    // Select All: only the script, and only once there is one.
    {"select all at start", {}, &MainFormBehaviour::selectone_Click, {"Please Generate the Script first"},
     "txtFunctionname", State::Editing},
    {"select all after generate", generated, &MainFormBehaviour::selectone_Click, {}, "txtScript", State::Generated,
     [](const auto& v) { EXPECT_EQ(v.log, (std::vector<std::string>{"select txtScript", "focus txtScript"})); }},

    // The three that hand on: Preview gets the settings as the window holds them now.
    {"preview", generated, &MainFormBehaviour::Command2_Click, {}, "txtScript", State::Generated,
     [](const auto& v) {
         ASSERT_EQ(v.previews.size(), 1u);
         PopupSettings expected = startupSettings();
         expected.functionName = "other";
         for (const FeatureInfo& info : kFeatures) expected.setFeature(info.feature, true);
         EXPECT_EQ(v.previews[0], expected);
     }},
    {"about", {}, &MainFormBehaviour::Command3_Click, {}, "txtFunctionname", State::Editing,
     [](const auto& v) { EXPECT_EQ(v.log, std::vector<std::string>{"about"}); }},
    {"exit", generated, &MainFormBehaviour::Command4_Click, {}, "txtScript", State::Generated,
     [](const auto& v) { EXPECT_EQ(v.log, std::vector<std::string>{"exit"}); }},
};

TEST(MainFormBehaviour, EachCommandFromEachState) {
    for (const Row& row : kRows) {
        FakeMainFormView view;
        MainFormBehaviour behaviour(view);
        if (row.arrange) row.arrange(view, behaviour);
        (behaviour.*row.command)();
        EXPECT_EQ(view.told, row.told) << row.name;
        EXPECT_EQ(view.focus, row.focus) << row.name;
        // A message only when nothing else changed from the state it started in.
        expectState(view, row.state, row.name);
        row.check(view);
    }
}

TEST(MainFormBehaviour, HelpFileIsHelpChmInTheProgramFolder) {
#ifdef _WIN32
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Program Files\\Quillbay", "C:\\Program Files\\Quillbay\\help.chm"},
        {"C:\\", "C:\\help.chm"},
    };
#else
    const std::pair<std::string, std::string> cases[] = {
        {"/usr/bin", "/usr/share/quillbay/guide/index.html"},
        {"/opt/quillbay/bin/", "/opt/quillbay/share/quillbay/guide/index.html"},
        {"/", "/share/quillbay/guide/index.html"},
    };
#endif
    for (const auto& [folder, path] : cases) {
        FakeMainFormView view;
        MainFormBehaviour behaviour(view);
        behaviour.Form_Load(folder);
        EXPECT_EQ(behaviour.helpFile(), path) << folder;
    }
}

}  // namespace
}  // namespace quillbay
