// The main window on a real X display (run under xvfb-run): activation after a message box, the X
// clipboard, the help key with the real file test, and keys and moves as a person gives them (xdotool).
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

TEST_F(MainFormOnDisplay, F1OpensTheHelpFileBesideTheProgramOnlyWhenItIsThere) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
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

// Tab and Enter on "Generate This Code", then on Reset, twice over; Enter in a box or on a check box does
// nothing; the default look is on the focused button alone.
TEST_F(MainFormOnDisplay, TheKeyboardPressesTheFocusedButtonEveryTime) {
    FormRig rig;
    show(rig);
    MessageAnswerer answerer;
    auto* script = rig.control<OutputBox>("txtScript");
    auto focused = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
    struct Step { const char* focus; bool enter, generatedAfter; };
    const Step steps[] = {{"txtFunctionname", true, false}, {"optStatus", true, false}, {"Command1", true, true},
                          {"Command3", false, true}, {"Command5", true, false}};
    for (const int round : {1, 2}) {
        for (const Step& s : steps) {
            SCOPED_TRACE(s.focus + std::string(" in round ") + std::to_string(round));
            for (int tabs = 0; tabs < 40 && focused() != QLatin1String(s.focus); ++tabs)
                xdotool({QStringLiteral("key"), QStringLiteral("Tab")});
            ASSERT_EQ(focused(), QLatin1String(s.focus));
            for (const QPushButton* b : rig.form->findChildren<QPushButton*>())
                EXPECT_EQ(b->isDefault(), b == QApplication::focusWidget()) << b->objectName().toStdString();
            if (s.enter) xdotool({QStringLiteral("key"), QStringLiteral("Return")});
            EXPECT_TRUE(QTest::qWaitFor([&] { return script->isEmpty() != s.generatedAfter; }));
        }
    }
    EXPECT_TRUE(answerer.seen().empty());
}

// A drag by the background with any button moves the window and ends where that button is released: the
// pointer moved on afterwards leaves the window where it is.
TEST_F(MainFormOnDisplay, AMoveEndsAtTheReleaseOfItsButton) {
    for (const QString button : {"3", "2", "1"}) {  // right, middle, left
        SCOPED_TRACE(button.toStdString());
        QtWindowMover mover(QtWindowMover::wayFor(QGuiApplication::platformName()));
        MainFormServices services;
        services.mover = &mover;
        mainForm form(std::move(services));
        form.move(100, 100);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTest::qWait(200);  // the window manager's frame settles
        const QPoint start = form.geometry().topLeft(), grip = form.mapToGlobal(QPoint(300, 48));  // the banner
        auto pointerAt = [&](QPoint p) {
            xdotool({QStringLiteral("mousemove"), QString::number(grip.x() + p.x()), QString::number(grip.y() + p.y())});
        };
        pointerAt({});
        xdotool({QStringLiteral("mousedown"), button});
        for (int step = 1; step <= 4; ++step) pointerAt(QPoint(15, 10) * step);
        EXPECT_TRUE(QTest::qWaitFor([&] { return form.geometry().topLeft() == start + QPoint(60, 40); }, 3000));
        xdotool({QStringLiteral("mouseup"), button});
        const QPoint released = form.geometry().topLeft();
        for (int step = 1; step <= 4; ++step) pointerAt(QPoint(60, 40) + QPoint(20, 20) * step);
        QTest::qWait(300);
        EXPECT_EQ(form.geometry().topLeft(), released);
        EXPECT_FALSE(mover.moving());
        xdotool({QStringLiteral("click"), QStringLiteral("1")});  // ends a move a window manager may still run
        QTest::qWait(100);
    }
}

}  // namespace
}  // namespace quillbay
