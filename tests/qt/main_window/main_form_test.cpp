// The main window's commands, states, messages, focus, clipboard, dragging and help key.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QDir>
#include <QTest>
#include <QTextBlock>
#include <memory>
#include <vector>

#include "qt/main_window/main_form_fakes.h"
#include "qt/main_window/output_box.h"

namespace quillbay {
namespace {

using testing::FormRig;
using testing::MessageAnswerer;

const char* const kInputs[] = {"txtFunctionname", "txtUrl", "txtWinname", "txtWidth", "txtHeight"};
const char* const kCheckBoxes[] = {"optTollbar", "optMenubar", "optDirectories", "optResize",
                                   "optLocation", "optScroll", "optStatus"};
const char* const kOutputs[] = {"txtScript", "txtOnclick", "txtLink", "txtOnload"};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        rig.form->show();
        rig.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
    }

    QLineEdit* input(const char* name) { return rig.control<QLineEdit>(name); }
    OutputBox* output(const char* name) { return rig.control<OutputBox>(name); }
    QPushButton* button(const char* name) { return rig.control<QPushButton>(name); }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("<none>");
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // EditingState, or GeneratedState, as the two states are defined by what is enabled.
    void expectState(bool generated) {
        for (const char* name : kInputs) EXPECT_EQ(input(name)->isEnabled(), !generated) << name;
        for (const char* name : kCheckBoxes) EXPECT_EQ(rig.control(name)->isEnabled(), !generated) << name;
        EXPECT_EQ(button("Command1")->isEnabled(), !generated);
        for (const char* name : kOutputs) {
            EXPECT_EQ(output(name)->isEnabled(), generated) << name;
            EXPECT_EQ(output(name)->isEmpty(), !generated) << name;
        }
        EXPECT_EQ(button("Command2")->isEnabled(), generated);
        EXPECT_EQ(button("Command5")->isEnabled(), generated);
        for (const char* name : {"Command3", "Command4", "selectone"}) EXPECT_TRUE(button(name)->isEnabled()) << name;
    }

    FormRig rig;
    MessageAnswerer answerer;
};

TEST_F(MainFormTest, StartsInEditingStateWithTheFocusInTheFunctionName) {
    expectState(false);
    EXPECT_EQ(focused(), QStringLiteral("txtFunctionname"));
    for (const char* name : kCheckBoxes) EXPECT_FALSE(rig.control<QCheckBox>(name)->isChecked()) << name;
}

TEST_F(MainFormTest, GenerateFillsTheFourBoxesAndSwitchesToGeneratedState) {
    rig.control<QCheckBox>("optTollbar")->setChecked(true);
    rig.control<QCheckBox>("optStatus")->setChecked(true);
    input("txtWidth")->setText(QStringLiteral("50%"));
    click("Command1");

    expectState(true);
    EXPECT_TRUE(answerer.seen().empty());
    const QString script = output("txtScript")->text();
    EXPECT_EQ(script.count(QStringLiteral("\r\n")), 4);
    EXPECT_TRUE(script.contains(QStringLiteral(
        "'width=50%,height=350,status=1,scrollbars=0,menubar=0,resizable=0,directories=0,toolbar=1,location=0')")));
    EXPECT_TRUE(script.startsWith(QStringLiteral("<script language=Javascript>\r\nfunction myPopUp(){\r\n")));
    EXPECT_EQ(output("txtOnclick")->text(), QStringLiteral("onClick='myPopUp()'"));
    EXPECT_EQ(output("txtLink")->text(), QStringLiteral("<a href='javascript:myPopUp()'>On Link</a>"));
    EXPECT_EQ(output("txtOnload")->text(), QStringLiteral("<body onload='myPopUp()'>"));
}

// The order of the checks is the core's (core_test); here, that the message reaches a real box (caption
// Quillbay, OK only, no icon) and the focus a real field afterwards, with nothing else touched.
TEST(MainFormMessages, EmptyFieldsAreReportedOneAtATimeInTheFixedOrder) {
    struct Case {
        std::vector<const char*> cleared;
        QString message;
        const char* focus;
    };
    const Case cases[] = {
        {{"txtFunctionname", "txtUrl", "txtWinname", "txtWidth", "txtHeight"}, "Please Input popup function name",
         "txtFunctionname"},
        {{"txtWidth", "txtHeight"}, "Please specify the height of popup window", "txtHeight"},
    };
    for (const Case& c : cases) {
        FormRig rig;
        rig.form->show();
        rig.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
        MessageAnswerer answerer;
        for (const char* name : c.cleared) rig.control<QLineEdit>(name)->clear();
        rig.control<QCheckBox>("optMenubar")->setChecked(true);
        rig.control<QPushButton>("Command4")->setFocus();

        QTest::mouseClick(rig.control<QPushButton>("Command1"), Qt::LeftButton);

        ASSERT_EQ(answerer.seen().size(), 1u) << c.message.toStdString();
        const auto& seen = answerer.seen().front();
        EXPECT_EQ(seen.text, c.message);
        EXPECT_EQ(seen.caption, QStringLiteral("Quillbay"));
        EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
        EXPECT_TRUE(seen.modal);
        EXPECT_EQ(rig.form->focusWidget(), rig.control(c.focus)) << c.focus;
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == rig.control(c.focus); }))
            << c.focus;
        EXPECT_TRUE(rig.control("Command1")->isEnabled());
        EXPECT_FALSE(rig.control("Command5")->isEnabled());
        EXPECT_FALSE(rig.control("txtScript")->isEnabled());
        EXPECT_TRUE(rig.control<OutputBox>("txtScript")->isEmpty());
        EXPECT_TRUE(rig.control<QCheckBox>("optMenubar")->isChecked());
    }
}

// Messages quote what was typed, so markup in it shows as typed.
TEST(MainFormMessages, ShowTheirTextAsPlainText) {
    MessageAnswerer answerer;
    QtMessenger().tell(nullptr, QStringLiteral("The width \"<b>wide</b>\" is not a whole number."));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().format, Qt::PlainText);
}

TEST_F(MainFormTest, ResetReturnsToEditingStateWithTheResetDefaults) {
    for (const char* name : kCheckBoxes) rig.control<QCheckBox>(name)->setChecked(true);
    input("txtFunctionname")->setText(QStringLiteral("other"));
    click("Command1");
    ASSERT_TRUE(button("Command5")->isEnabled());
    click("Command5");

    expectState(false);
    EXPECT_EQ(input("txtFunctionname")->text(), QStringLiteral("myPopUp"));
    EXPECT_EQ(input("txtWinname")->text(), QStringLiteral("corvane"));
    EXPECT_EQ(input("txtWidth")->text(), QStringLiteral("200"));
    EXPECT_EQ(input("txtHeight")->text(), QStringLiteral("350"));
    EXPECT_EQ(input("txtUrl")->text().toStdString(), std::string(defaults::kResetUrl));
    EXPECT_NE(input("txtUrl")->text().toStdString(), std::string(defaults::kStartupUrl));
    for (const char* name : kCheckBoxes) EXPECT_FALSE(rig.control<QCheckBox>(name)->isChecked()) << name;
    EXPECT_TRUE(answerer.seen().empty());
}

TEST_F(MainFormTest, SelectAllBeforeGenerateAsksForTheScriptFirst) {
    click("selectone");
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, QStringLiteral("Please Generate the Script first"));
    EXPECT_EQ(answerer.seen().front().caption, QStringLiteral("Quillbay"));
    EXPECT_EQ(answerer.seen().front().buttons, QStringList{QStringLiteral("OK")});
}

TEST_F(MainFormTest, SelectAllSelectsTheWholeScriptOnly) {
    click("Command1");
    output("txtOnclick")->selectAll();
    click("selectone");
    EXPECT_TRUE(answerer.seen().empty());
    const QTextCursor cursor = output("txtScript")->textCursor();
    EXPECT_EQ(cursor.selectionStart(), 0);
    EXPECT_EQ(cursor.selectionEnd(), output("txtScript")->document()->characterCount() - 1);
    EXPECT_EQ(focused(), QStringLiteral("txtScript"));
    EXPECT_FALSE(output("txtLink")->textCursor().hasSelection());

    // A user who empties the box is asked to generate again.
    output("txtScript")->clear();
    click("selectone");
    EXPECT_EQ(answerer.seen().size(), 1u);
}

// The document inside a box holds paragraphs; what leaves it must be the generated CR LF characters.
TEST_F(MainFormTest, CopyingPutsTheExactGeneratedCharactersOnTheClipboard) {
    click("Command1");
    OutputBox* script = output("txtScript");
    const QString generated = QString::fromStdString(generate(rig.form->readSettings()).script);
    ASSERT_EQ(script->text(), generated);

    click("selectone");
    QApplication::clipboard()->clear();
    QTest::keyClick(script, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), generated);

    // The context menu's Select All, then its Copy.
    QApplication::clipboard()->clear();
    script->moveCursor(QTextCursor::Start);
    for (const char* action : {"select-all", "edit-copy"}) {
        std::unique_ptr<QMenu> menu(script->createStandardContextMenu());
        QAction* found = menu->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(found, nullptr) << action;
        ASSERT_TRUE(found->isEnabled()) << action;
        found->trigger();
    }
    EXPECT_EQ(QApplication::clipboard()->text(), generated);

    // Part of it, across a line break.
    QTextCursor part(script->document());
    part.setPosition(script->document()->findBlockByNumber(0).length() - 4);  // the length counts the break
    part.setPosition(script->document()->findBlockByNumber(1).position() + 3, QTextCursor::KeepAnchor);
    script->setTextCursor(part);
    script->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("pt>\r\nfun"));
}

// Fields have no length limit: a megabyte in each comes out in the four boxes character for character,
// and copying the script gives all of it back. (Before the boxes held long paragraphs in pieces, this
// took minutes.)
TEST_F(MainFormTest, AMegabyteInEveryFieldComesOutExactly) {
    const qsizetype size = 1 << 20;
    auto filled = [&](const QString& unit) {
        QString text = unit.repeated(size / unit.size() + 1);
        text.truncate(size);
        return text;
    };
    const QString units[] = {
        QString::fromUtf8("f\xC3\xA4\xF0\x9D\x84\x9E" "e\xCC\x81" "_"),  // no blank anywhere; a pair, a mark
        QStringLiteral("https://example.invalid/a b?c=d&e='f' "),
        QString::fromUtf8("w\xC2\xA0n "),
        QStringLiteral("123"),
        QStringLiteral("4 5"),
    };
    for (std::size_t i = 0; i < std::size(kInputs); ++i) input(kInputs[i])->setText(filled(units[i]));
    const PopupSettings settings = rig.form->readSettings();
    ASSERT_EQ(settings.url, filled(units[1]).toStdString());
    // Generate pressed while the focus is still in a field (through accessibility, say) rather than on the button.
    input("txtFunctionname")->setFocus();
    button("Command1")->click();

    const GeneratedSnippets expected = generate(settings);
    EXPECT_EQ(output("txtScript")->text(), QString::fromStdString(expected.script));
    EXPECT_EQ(output("txtOnclick")->text(), QString::fromStdString(expected.onClick));
    EXPECT_EQ(output("txtLink")->text(), QString::fromStdString(expected.link));
    EXPECT_EQ(output("txtOnload")->text(), QString::fromStdString(expected.onLoad));
    EXPECT_EQ(rig.form->readSettings(), settings);
    EXPECT_EQ(focused(), QStringLiteral("txtScript"));

    click("selectone");
    QApplication::clipboard()->clear();
    QTest::keyClick(output("txtScript"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(expected.script));
}

TEST_F(MainFormTest, OutputTextKeepsWhatADocumentWouldRewrite) {
    OutputBox box;
    const QString text = QStringLiteral("a\u00a0b\r\n\r\nc");  // a no-break space and an empty line
    box.setText(text);
    EXPECT_EQ(box.text(), text);
    EXPECT_EQ(OutputBox::withCrLf(QStringLiteral("x\ny\u2029z")), QStringLiteral("x\r\ny\r\nz"));

    // Pasting CR LF text back in keeps one break per CR LF.
    box.clear();
    QApplication::clipboard()->setText(QStringLiteral("one\r\ntwo"));
    box.paste();
    EXPECT_EQ(box.text(), QStringLiteral("one\r\ntwo"));
}

// A line copied from an editor brings its line break along; a one-line box keeps only the first line of
// what arrives, wherever it lands, and what was there before stays.
TEST_F(MainFormTest, PastedLineBreaksNeverReachAOneLineBox) {
    struct Case {
        const char* box;
        QString before;    // the box's text, with the cursor after `cursorAt` characters
        int cursorAt;
        QString pasted;
        QString after;
    };
    const std::vector<Case> cases{
        {"txtUrl", {}, 0, QStringLiteral("https://x.example/page.html\r\n"), QStringLiteral("https://x.example/page.html")},
        {"txtWidth", {}, 0, QStringLiteral("300\n"), QStringLiteral("300")},
        {"txtHeight", {}, 0, QStringLiteral("12\r34"), QStringLiteral("12")},
        {"txtFunctionname", QStringLiteral("myPopUp"), 2, QStringLiteral("XY\r\nsecond\nthird"), QStringLiteral("myXYPopUp")},
        {"txtWinname", QStringLiteral("win"), 3, QStringLiteral("\r\nnext"), QStringLiteral("win")},
    };
    for (const Case& c : cases) {
        QLineEdit* box = input(c.box);
        box->setText(c.before);
        box->setFocus();
        box->setCursorPosition(c.cursorAt);
        QApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box->text(), c.after) << c.box;
        EXPECT_EQ(box->cursorPosition(), c.cursorAt + c.after.size() - c.before.size()) << c.box;
    }

    click("Command1");
    const QString script = output("txtScript")->text();
    EXPECT_EQ(script.count(QStringLiteral("\r\n")), 4) << script.toStdString();
}

TEST_F(MainFormTest, TabVisitsOnlyTheEnabledControlsInDesignOrder) {
    auto walk = [&](int steps) {
        QStringList visited;
        for (int i = 0; i < steps; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << focused();
        }
        return visited;
    };
    EXPECT_EQ(walk(17), QStringList({"txtWinname", "txtUrl", "txtWidth", "txtHeight", "optStatus", "optTollbar",
                                     "optMenubar", "optScroll", "optDirectories", "optLocation", "optResize",
                                     "Command1", "selectone", "Command3", "Command4", "txtFunctionname",
                                     "txtWinname"}));

    click("Command1");
    output("txtScript")->setFocus();
    EXPECT_EQ(walk(9), QStringList({"selectone", "Command5", "txtOnclick", "txtLink", "txtOnload", "Command2",
                                    "Command3", "Command4", "txtScript"}));
}

TEST_F(MainFormTest, PreviewAboutAndExitCallTheirServices) {
    click("Command1");
    click("Command2");
    ASSERT_EQ(rig.previews.size(), 1u);
    EXPECT_EQ(rig.previews.front(), startupSettings());
    EXPECT_EQ(rig.previewParents.front(), rig.form.get());
    click("Command3");
    click("Command3");
    EXPECT_EQ(rig.aboutShown, 2);
    EXPECT_EQ(rig.aboutOwners, (std::vector<QWidget*>{rig.form.get(), rig.form.get()}));  // About opens beside it
    click("Command4");
    EXPECT_EQ(rig.exits, 1);
}

// Screen readers find every button by its caption and can press it; tooltips describe.
TEST_F(MainFormTest, ButtonsCanBePressedThroughAccessibility) {
    click("Command1");
    struct Case {
        const char* name;
        const char* caption;
    };
    const Case cases[] = {{"Command2", "Preview"}, {"Command3", "About"}, {"Command4", "Exit"}};
    for (const Case& c : cases) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(rig.control(c.name));
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->text(QAccessible::Name), QString::fromLatin1(c.caption));
        EXPECT_EQ(iface->text(QAccessible::Description), rig.control(c.name)->toolTip());
        ASSERT_NE(iface->actionInterface(), nullptr);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    // A press through accessibility animates the button first, so the clicks arrive a little later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.previews.size() == 1 && rig.aboutShown == 1 && rig.exits == 1; }));

    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(rig.control("txtOnclick"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(QAccessible::Name), QStringLiteral("Call Function \"On Click\""));
    ASSERT_NE(box->textInterface(), nullptr);
    EXPECT_EQ(box->textInterface()->text(0, box->textInterface()->characterCount()),
              QStringLiteral("onClick='myPopUp()'"));
}

// A press on the surface, the banner or a rectangle hands the window to the window system; a press on a
// label or a control does not.
TEST_F(MainFormTest, PressesOnTheSurfaceDragTheWindow) {
    struct Case {
        const char* where;
        QPoint at;
        Qt::MouseButton button;
        bool moves;
    };
    const Case cases[] = {
        {"background below the frame", {240, 502}, Qt::LeftButton, true},
        {"banner between the first rows", {300, 48}, Qt::LeftButton, true},
        {"background, right button", {470, 100}, Qt::RightButton, true},
        {"background, middle button", {470, 100}, Qt::MiddleButton, true},
        {"rectangle behind the check boxes", {461, 150}, Qt::LeftButton, true},
        {"label Function Name", {30, 30}, Qt::LeftButton, false},
        {"label Please input", {100, 262}, Qt::RightButton, false},
        {"check box, right of its caption", {102, 140}, Qt::LeftButton, false},
        {"disabled output box", {100, 320}, Qt::LeftButton, false},
        {"disabled button", {40, 475}, Qt::LeftButton, false},
        {"input box", {150, 30}, Qt::LeftButton, false},
    };
    QWindow* window = rig.form->windowHandle();
    for (const Case& c : cases) {
        rig.mover.moved.clear();
        QTest::mousePress(window, c.button, Qt::NoModifier, c.at);
        QTest::mouseRelease(window, c.button, Qt::NoModifier, c.at);
        EXPECT_EQ(rig.mover.moved.size(), c.moves ? 1u : 0u) << c.where;
        if (c.moves && !rig.mover.moved.empty()) {
            EXPECT_EQ(rig.mover.moved.front(), rig.form.get()) << c.where;
        }
    }
}

TEST_F(MainFormTest, HelpFileIsRegisteredAtLoadAndF1OpensItOnlyWhenItExists) {
    const QString expected = QStringLiteral("/opt/share/quillbay/guide/index.html");
    EXPECT_EQ(rig.form->helpFile(), expected);

    QTest::keyClick(rig.form->windowHandle(), Qt::Key_F1);
    EXPECT_TRUE(rig.opener.opened.isEmpty());

    rig.files.files << expected;
    QTest::keyClick(rig.form->windowHandle(), Qt::Key_F1);
    EXPECT_EQ(rig.opener.opened, QStringList{expected});

    // Other keys do nothing of the program's own.
    QTest::keyClick(rig.form->windowHandle(), Qt::Key_Escape);
    QTest::keyClick(rig.form->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(rig.opener.opened.size(), 1);
    expectState(false);
    EXPECT_TRUE(answerer.seen().empty());
}

TEST(HelpFilePath, DefaultsToTheProgramFolder) {
    FormRig local(QString{});
    EXPECT_EQ(local.form->helpFile(),
              QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quillbay/guide/index.html")));
}

}  // namespace
}  // namespace quillbay
