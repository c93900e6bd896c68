// The About window on a real display with the real registry view, file test, process start and message box:
// a stand-in system-information program on PATH proves that "System Info..." starts what is installed. The
// keys come as a person presses them; the place beside the main window is checked with no window manager
// and under one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/file_probe.h"
#include "platform/linux_registry.h"
#include "platform/messenger.h"
#include "platform/process_launcher.h"
#include "qt/about/about_window.h"
#include "support/x11_desktop.h"

namespace quillbay {
namespace {

// Puts `dir` in front of PATH for the test's duration.
class PathPrefix {
public:
    explicit PathPrefix(const QString& dir) : saved_(qgetenv("PATH")) {
        qputenv("PATH", QFile::encodeName(dir) + ':' + saved_);
    }
    ~PathPrefix() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

class AboutEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(QGuiApplication::platformName(), QStringLiteral("offscreen")); }
    void TearDown() override {
        about.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QPushButton* openAndFindSysInfo() {
        about.Show();
        frmAbout* form = about.form();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
        return form->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    }

    LinuxRegistry registry;
    QtFileProbe files;
    QtProcessLauncher launcher;
    QtMessenger messenger;
    AboutWindow about{registry, files, launcher, messenger};
};

// Writes a stand-in "hardinfo2" into `bin` that notes its start in the file it returns.
QString writeStandIn(const QTemporaryDir& bin) {
    const QString marker = bin.filePath(QStringLiteral("started"));
    QFile script(bin.filePath(QStringLiteral("hardinfo2")));
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"started with $# arguments\" > '" + QFile::encodeName(marker) + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return marker;
}

TEST_F(AboutEndToEnd, SystemInfoStartsTheInstalledProgram) {
    QTemporaryDir bin;
    const QString marker = writeStandIn(bin);
    PathPrefix path(bin.path());

    // Should the program not be found, the message box would wait for a user; answer it and fail.
    QString unexpected;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            unexpected = box->text();
            box->accept();
        }
    });
    guard.start(100);

    QPushButton* sysInfo = openAndFindSysInfo();
    ASSERT_NE(sysInfo, nullptr);
    QTest::mouseClick(sysInfo, Qt::LeftButton);

    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker) && QFile(marker).size() > 0; }, 10000));
    QFile result(marker);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), QByteArray("started with 0 arguments\n"));
    EXPECT_TRUE(unexpected.isEmpty()) << unexpected.toStdString();
    EXPECT_TRUE(about.form() && about.form()->isVisible());
}

TEST_F(AboutEndToEnd, SystemInfoWithoutAProgramShowsTheMessage) {
    QTemporaryDir emptyBin;
    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(emptyBin.path()));

    QString text;
    QString caption;
    bool hasIcon = true;
    QStringList buttons;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            caption = box->windowTitle();
            hasIcon = box->icon() != QMessageBox::NoIcon;
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            box->accept();
        }
    });
    answer.start(50);

    QPushButton* sysInfo = openAndFindSysInfo();
    ASSERT_NE(sysInfo, nullptr);
    QTest::mouseClick(sysInfo, Qt::LeftButton);
    qputenv("PATH", saved);

    EXPECT_EQ(text, QStringLiteral("System Information Is Unavailable At This Time"));
    EXPECT_EQ(caption, QStringLiteral("Quillbay"));
    EXPECT_FALSE(hasIcon);
    EXPECT_EQ(buttons.size(), 1);
    EXPECT_TRUE(about.form() && about.form()->isVisible());
}

// Enter presses the focused button, OK unless the user has moved to "System Info..."; Esc is OK's.
TEST_F(AboutEndToEnd, KeysPressTheFocusedButton) {
    QTemporaryDir bin;
    const QString marker = writeStandIn(bin);
    PathPrefix path(bin.path());
    struct Case {
        const char* keys;  // as xdotool names them
        bool starts;       // starts the tool and stays; otherwise closes
    };
    const Case cases[] = {{"Tab Return", true}, {"Return", false}, {"Tab Escape", false},
                          {"Escape", false},    {"Tab space", true}};
    for (const Case& c : cases) {
        QFile::remove(marker);
        about.Show();
        QPointer<frmAbout> form = about.form();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form)) << c.keys;
        QStringList args{QStringLiteral("key")};
        args << QString::fromLatin1(c.keys).split(QLatin1Char(' '));
        testing::xdotool(args);
        if (c.starts) EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 10000)) << c.keys;
        else EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull() || !form->isVisible(); })) << c.keys;
        EXPECT_EQ(QFile::exists(marker), c.starts) << c.keys;
        EXPECT_EQ(form && form->isVisible(), c.starts) << c.keys;
        about.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// With its frame where the window manager puts one, About's client area stands 105 by 79 pixels from the
// main window's, or, near the screen's edge, its frame stays on the screen.
TEST_F(AboutEndToEnd, OpensBesideTheMainWindow) {
    const std::string desktop = testing::windowManagerRuns() ? "under a window manager" : "with no window manager";
    QWidget owner;
    owner.resize(513, 534);
    const QRect area = owner.screen()->availableGeometry();
    struct Case {
        QPoint owner;
        bool nearTheEdge;
    };
    for (const Case& c : {Case{{150, 120}, false}, Case{area.bottomRight() - QPoint(150, 100), true}}) {
        owner.move(c.owner);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner)) << desktop;
        QTest::qWait(200);  // the window manager's frame settles
        about.Show(&owner);
        frmAbout* form = about.form();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form)) << desktop;
        QTest::qWait(200);
        if (c.nearTheEdge) {
            EXPECT_TRUE(area.contains(form->frameGeometry())) << desktop;
        } else {
            EXPECT_EQ(form->geometry().topLeft() - owner.geometry().topLeft(), QPoint(105, 79)) << desktop;
        }
        about.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        owner.hide();
    }
}

}  // namespace
}  // namespace quillbay
