#include "qt/about/frm_about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "quillbay/version.h"
#include "support/fake_registry.h"
#include "support/platform_fakes.h"
#include "qt/about/about_window.h"

namespace quillbay {
namespace {

using testing::FakeFileProbe;
using testing::FakeLauncher;
using testing::FakeMessenger;
using testing::FakeRegistry;
using testing::stringValue;

class AboutWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        about.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Shows the window and waits until it has the keyboard, as a user would find it.
    frmAbout* open() {
        about.Show();
        frmAbout* form = about.form();
        EXPECT_NE(form, nullptr);
        if (form) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        }
        return form;
    }

    template <typename T>
    static T* child(QWidget* form, const char* name) {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QString text(QWidget* form, const char* label) { return child<QLabel>(form, label)->text(); }

    // Whether the window has closed and gone.
    bool unloaded(QPointer<frmAbout> form) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull() && about.form() == nullptr;
    }

    FakeRegistry registry;
    FakeFileProbe files;
    FakeLauncher launcher;
    FakeMessenger messenger;
    AboutWindow about{registry, files, launcher, messenger};
};

TEST_F(AboutWindowTest, LoadReplacesTheDesignTimeCaptions) {
    frmAbout* form = open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("About Quillbay"));
    EXPECT_EQ(text(form, "lblTitle"), QStringLiteral("Quillbay"));
    EXPECT_EQ(text(form, "lblVersion"), QStringLiteral("Version %1.%2.%3")
                                            .arg(kVersionMajor)
                                            .arg(kVersionMinor)
                                            .arg(kVersionRevision));
    EXPECT_EQ(QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision),
              QStringLiteral("1.0.0"));
    EXPECT_TRUE(text(form, "lblDescription").startsWith(QStringLiteral("Quillbay version 1.00 is very useful")));
}

TEST_F(AboutWindowTest, ControlsSitAtTheirDesignGeometry) {
    frmAbout* form = open();
    EXPECT_EQ(form->size(), QSize(382, 237));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);

    struct Expected {
        const char* name;
        QRect rect;
    };
    const Expected controls[] = {
        {"lblTitle", {70, 16, 259, 32}},       {"lblVersion", {70, 52, 259, 15}},
        {"lblDescription", {70, 75, 259, 78}}, {"lblDisclaimer", {17, 175, 258, 31}},
        {"cmdOK", {283, 175, 84, 23}},         {"cmdSysInfo", {284, 205, 83, 23}},
        {"Label1", {16, 208, 233, 17}},
    };
    for (const auto& c : controls) EXPECT_EQ(child<QWidget>(form, c.name)->geometry(), c.rect) << c.name;

    // The groove: a grey pixel row directly above a white band.
    const auto lines = form->findChildren<QWidget*>(QStringLiteral("Line1"));
    ASSERT_EQ(lines.size(), 2);
    for (QWidget* line : lines) {
        const bool grey = line->property("index").toInt() == 1;
        EXPECT_EQ(line->geometry(), grey ? QRect(6, 163, 371, 1) : QRect(7, 164, 370, 2));
        EXPECT_EQ(line->palette().color(QPalette::Window), grey ? QColor(128, 128, 128) : QColor(Qt::white));
    }
}

TEST_F(AboutWindowTest, LabelsUseTheirFontsAndColoursAndAreNotClipped) {
    frmAbout* form = open();
    const QColor face = form->palette().color(QPalette::Button);
    EXPECT_EQ(form->palette().color(QPalette::Window), face);

    struct Expected {
        const char* name;
        int pixelSize;
        bool bold;
        QColor colour;
    };
    const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
    const Expected labels[] = {
        {"lblTitle", 18, true, Qt::black},       {"lblVersion", 11, false, buttonText},
        {"lblDescription", 11, false, Qt::black}, {"lblDisclaimer", 11, false, Qt::black},
        {"Label1", 11, false, buttonText},
    };
    for (const auto& e : labels) {
        QLabel* label = child<QLabel>(form, e.name);
        EXPECT_EQ(label->font().pixelSize(), e.pixelSize) << e.name;
        EXPECT_EQ(label->font().bold(), e.bold) << e.name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText), e.colour) << e.name;
        EXPECT_EQ(label->palette().color(QPalette::Window), face) << e.name;
        EXPECT_TRUE(label->autoFillBackground()) << e.name;
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << e.name;

        const QRect needed = QFontMetrics(label->font())
                                 .boundingRect(QRect(0, 0, label->width(), 10000),
                                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label->text());
        EXPECT_LE(needed.width(), label->width()) << e.name;
        EXPECT_LE(needed.height(), label->height()) << e.name << ": " << label->text().toStdString();
    }
    // The description and the notice each run over more than one line.
    for (const char* name : {"lblDescription", "lblDisclaimer"}) {
        QLabel* label = child<QLabel>(form, name);
        EXPECT_GT(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width()) << name;
    }
}

TEST_F(AboutWindowTest, FocusStartsOnOkAndTabStaysOnTheButtons) {
    frmAbout* form = open();
    auto* ok = child<QPushButton>(form, "cmdOK");
    auto* sysInfo = child<QPushButton>(form, "cmdSysInfo");
    EXPECT_EQ(QApplication::focusWidget(), ok);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(sysInfo->isDefault());

    const QWidget* expected[] = {sysInfo, ok, sysInfo, ok};
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
        EXPECT_EQ(ok->isDefault(), next == ok);  // the default look follows the focus
        EXPECT_EQ(sysInfo->isDefault(), next == sysInfo);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), sysInfo);
}

// Enter presses the focused button: OK, the default, unless the focus is on "System Info..."; Esc is OK's.
TEST_F(AboutWindowTest, EnterPressesTheFocusedButtonAndEscPressesOk) {
    registry.setValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", stringValue("/usr/bin/hardinfo"));
    struct Case {
        const char* name;
        Qt::Key key;
        bool focusOnSysInfo;
        bool closes;  // otherwise it starts the tool and stays
    };
    const Case cases[] = {
        {"Enter on OK", Qt::Key_Return, false, true}, {"Enter on System Info", Qt::Key_Return, true, false},
        {"Keypad Enter", Qt::Key_Enter, true, false}, {"Esc on OK", Qt::Key_Escape, false, true},
        {"Esc on System Info", Qt::Key_Escape, true, true},
    };
    for (const auto& c : cases) {
        launcher.calls.clear();
        QPointer<frmAbout> form = open();
        if (c.focusOnSysInfo) child<QPushButton>(form, "cmdSysInfo")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), c.key);
        EXPECT_EQ(unloaded(form), c.closes) << c.name;
        EXPECT_EQ(launcher.calls.size(), c.closes ? 0u : 1u) << c.name;
        EXPECT_TRUE(messenger.told.empty()) << c.name;
        about.Unload();
    }
}

TEST_F(AboutWindowTest, TitleBarCloseUnloadsLikeOk) {
    QPointer<frmAbout> form = open();
    form->close();
    EXPECT_TRUE(unloaded(form));
}

TEST_F(AboutWindowTest, SystemInfoStartsTheToolAndLeavesTheWindowOpen) {
    registry.setValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", stringValue("/usr/bin/hardinfo"));
    frmAbout* form = open();
    QTest::mouseClick(child<QPushButton>(form, "cmdSysInfo"), Qt::LeftButton);
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].program, QStringLiteral("/usr/bin/hardinfo"));
    EXPECT_TRUE(messenger.told.empty());
    EXPECT_EQ(about.form(), form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("About Quillbay"));
}

TEST_F(AboutWindowTest, AltSShowsTheMessageOverTheWindowWhenNoToolIsFound) {
    frmAbout* form = open();
    QTest::keyClick(form, Qt::Key_S, Qt::AltModifier);
    // A mnemonic presses its button visibly, which takes a moment.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !messenger.told.empty(); }, 5000));
    ASSERT_EQ(messenger.told.size(), 1u);
    EXPECT_EQ(messenger.told[0].first, form);
    EXPECT_EQ(messenger.told[0].second, QStringLiteral("System Information Is Unavailable At This Time"));
    EXPECT_TRUE(launcher.calls.empty());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(AboutWindowTest, AboutWhileOpenShowsTheSameWindowWithoutReloading) {
    frmAbout* form = open();
    // A reload would put the caption back.
    form->setWindowTitle(QStringLiteral("marker"));
    form->hide();
    about.Show();
    EXPECT_EQ(about.form(), form);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("marker"));

    int windows = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) windows += qobject_cast<frmAbout*>(w) != nullptr;
    EXPECT_EQ(windows, 1);
}

TEST_F(AboutWindowTest, AboutAfterOkLoadsAfresh) {
    QPointer<frmAbout> first = open();
    first->setWindowTitle(QStringLiteral("marker"));
    // Straight after OK, before the closed window is gone, as a quick user would do it.
    QTest::mouseClick(child<QPushButton>(first, "cmdOK"), Qt::LeftButton);
    about.Show();
    frmAbout* second = about.form();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->windowTitle(), QStringLiteral("About Quillbay"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(about.form(), second);
}

TEST_F(AboutWindowTest, UnloadClosesIt) {
    QPointer<frmAbout> form = open();
    about.Unload();
    EXPECT_TRUE(unloaded(form));
    about.Unload();  // nothing loaded: nothing happens
}

// The program ends when its last window closes, and the About window counts: the main window closed from its
// title bar leaves About open and the program running, and closing About then ends it.
TEST_F(AboutWindowTest, ClosingTheMainWindowLeavesAboutOpenUntilItTooIsClosed) {
    QWidget mainWindow;
    mainWindow.show();
    QPointer<frmAbout> form = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));

    int lastWindowClosed = 0;
    const QMetaObject::Connection counting =
        QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [&] { ++lastWindowClosed; });
    bool aboutOpenAfterMainClosed = false;
    int endedWithMain = -1;
    // The program's event loop must run: it is what ends when the last window goes.
    QTimer::singleShot(0, [&] {
        mainWindow.windowHandle()->close();
        aboutOpenAfterMainClosed = form && form->isVisible();
        endedWithMain = lastWindowClosed;
        if (form) form->windowHandle()->close();
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });  // never ended: fail rather than hang
    const int exitCode = QApplication::exec();
    QObject::disconnect(counting);

    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_TRUE(aboutOpenAfterMainClosed);
    EXPECT_EQ(endedWithMain, 0);
    EXPECT_EQ(lastWindowClosed, 1);
    EXPECT_EQ(exitCode, 0);
}

}  // namespace
}  // namespace quillbay
