// The main window on a real X display (run under xvfb-run): activation after a message box, the X
// clipboard, the help key with the real file test, and the keyboard and the mouse as a person uses them,
// with and without a window manager.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "qt/main_window/main_form_fakes.h"
#include "platform/window_mover.h"
#include "qt/main_window/output_box.h"
#include "support/x11_desktop.h"

namespace quillbay {
namespace {

using testing::FormRig;
using testing::MessageAnswerer;
using testing::windowManagerRuns;
using testing::xdotool;

class MainFormOnDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "needs an X display";
    }
    void show(FormRig& rig) {
        rig.form->show();
        rig.form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
    }
};

TEST_F(MainFormOnDisplay, FocusLandsInTheEmptyFieldOnceTheMessageIsClosed) {
    FormRig rig;
    show(rig);
    MessageAnswerer answerer;
    rig.control<QLineEdit>("txtHeight")->clear();
    QTest::mouseClick(rig.control<QPushButton>("Command1"), Qt::LeftButton);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, QStringLiteral("Please specify the height of popup window"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == rig.control("txtHeight"); }));
    EXPECT_TRUE(rig.form->isActiveWindow());
}

TEST_F(MainFormOnDisplay, CtrlCPutsCrLfOnTheXClipboard) {
    FormRig rig;
    show(rig);
    QTest::mouseClick(rig.control<QPushButton>("Command1"), Qt::LeftButton);
    QTest::mouseClick(rig.control<QPushButton>("selectone"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == rig.control("txtScript"); }));
    QTest::keyClick(rig.form->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    const QString expected = QString::fromStdString(generate(startupSettings()).script);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::clipboard()->text() == expected; }));
}

TEST_F(MainFormOnDisplay, F1OpensTheGuideBesideTheProgramOnlyWhenItIsThere) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("share/quillbay/guide")));
    QtFileProbe realFiles;
    testing::FakeDocumentOpener opener;
    MainFormServices services;
    services.files = &realFiles;
    services.documents = &opener;
    services.programFolder = folder.filePath(QStringLiteral("bin"));
    mainForm form(std::move(services));
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    QTest::keyClick(form.windowHandle(), Qt::Key_F1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(opener.opened.isEmpty());

    QFile help(folder.filePath(QStringLiteral("share/quillbay/guide/index.html")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    QTest::keyClick(form.windowHandle(), Qt::Key_F1);
    EXPECT_EQ(opener.opened, QStringList{help.fileName()});
}

// Tab to "Generate This Code" and Enter, then to Reset and Enter, twice over; Enter in a box does nothing; the
// default look is on the focused button alone.
TEST_F(MainFormOnDisplay, TheKeyboardPressesTheFocusedButtonEveryTime) {
    FormRig rig;
    show(rig);
    MessageAnswerer answerer;
    auto focused = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
    auto tabTo = [&](const char* name) {
        for (int presses = 0; presses < 40 && focused() != QLatin1String(name); ++presses)
            xdotool({QStringLiteral("key"), QStringLiteral("Tab")});
        return focused() == QLatin1String(name);
    };
    auto defaults = [&] {
        QStringList names;
        for (QPushButton* b : rig.form->findChildren<QPushButton*>())
            if (b->isDefault()) names << b->objectName();
        return names;
    };
    auto* script = rig.control<OutputBox>("txtScript");

    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    EXPECT_TRUE(script->isEmpty());
    EXPECT_EQ(defaults(), QStringList{});
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(tabTo("Command1")) << round;
        EXPECT_EQ(defaults(), QStringList{QStringLiteral("Command1")}) << round;
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !script->isEmpty(); })) << round;
        ASSERT_TRUE(tabTo("Command3")) << round;
        EXPECT_EQ(defaults(), QStringList{QStringLiteral("Command3")}) << round;
        ASSERT_TRUE(tabTo("Command5")) << round;
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        EXPECT_TRUE(QTest::qWaitFor([&] { return script->isEmpty(); })) << round;
        for (const char* box : {"optStatus", "txtFunctionname"}) {
            ASSERT_TRUE(tabTo(box)) << round;
            EXPECT_EQ(defaults(), QStringList{}) << box << " round " << round;
        }
    }
    EXPECT_TRUE(answerer.seen().empty());
}

// A drag by the background with any button moves the window with the pointer and ends where that button is
// released: the pointer moved on afterwards leaves the window where it is.
TEST_F(MainFormOnDisplay, AMoveEndsAtTheReleaseOfItsButton) {
    const std::string desktop = windowManagerRuns() ? "under a window manager" : "with no window manager";
    for (const int x11Button : {3, 2, 1}) {  // right, middle, left
        const std::string name = desktop + ", button " + std::to_string(x11Button);
        QtWindowMover mover(QtWindowMover::wayFor(QGuiApplication::platformName()));
        MainFormServices services;
        services.mover = &mover;
        mainForm form(std::move(services));
        form.move(100, 100);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form)) << name;
        QTest::qWait(200);  // the window manager's frame settles

        const QPoint start = form.geometry().topLeft();
        const QPoint grip = form.mapToGlobal(QPoint(300, 48));  // the banner, between the first rows
        const QString button = QString::number(x11Button);
        xdotool({QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y())});
        xdotool({QStringLiteral("mousedown"), button});
        for (int step = 1; step <= 4; ++step)
            xdotool({QStringLiteral("mousemove"), QString::number(grip.x() + 15 * step),
                     QString::number(grip.y() + 10 * step)});
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.geometry().topLeft() == start + QPoint(60, 40); }, 3000))
            << name << ": at " << form.geometry().x() << "," << form.geometry().y();
        xdotool({QStringLiteral("mouseup"), button});
        const QPoint released = form.geometry().topLeft();
        for (int step = 1; step <= 4; ++step)
            xdotool({QStringLiteral("mousemove"), QString::number(grip.x() + 60 + 20 * step),
                     QString::number(grip.y() + 40 + 20 * step)});
        QTest::qWait(300);
        EXPECT_EQ(form.geometry().topLeft(), released) << name;
        EXPECT_FALSE(mover.moving()) << name;
        // A left click ends a move the window manager may still run, so that the next row starts clean.
        xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QTest::qWait(100);
    }
}

}  // namespace
}  // namespace quillbay
