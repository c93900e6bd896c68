// The main window on a real X display (run under xvfb-run): activation after a message box, the X
// clipboard, and the help key with the real file test.
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
#include "qt/main_window/output_box.h"

namespace quillbay {
namespace {

using testing::FormRig;
using testing::MessageAnswerer;

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

}  // namespace
}  // namespace quillbay
