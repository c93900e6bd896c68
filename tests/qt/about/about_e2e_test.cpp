// The About window on a real display with the real registry view, file test, process start and message box:
// a stand-in system-information program on PATH proves that "System Info..." starts what is installed.
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

TEST_F(AboutEndToEnd, SystemInfoStartsTheInstalledProgram) {
    QTemporaryDir bin;
    const QString marker = bin.filePath(QStringLiteral("started"));
    const QString program = bin.filePath(QStringLiteral("hardinfo2"));
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"started with $# arguments\" > '" + QFile::encodeName(marker) + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
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

    // First as a person presses the keys: Tab to "System Info..." and Enter start it, and About stays.
    about.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(about.form()));
    testing::xdotool({QStringLiteral("key"), QStringLiteral("Tab"), QStringLiteral("Return")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile(marker).size() > 0; }, 10000));
    EXPECT_TRUE(about.form() && about.form()->isVisible());
    QFile::remove(marker);

    QPushButton* sysInfo = openAndFindSysInfo();
    ASSERT_NE(sysInfo, nullptr);
    QTest::mouseClick(sysInfo, Qt::LeftButton);

    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker) && QFile(marker).size() > 0; }, 10000));
    QFile result(marker);
    ASSERT_TRUE(result.open(QIODevice::ReadOnly));
    EXPECT_EQ(result.readAll(), QByteArray("started with 0 arguments\n"));
    EXPECT_TRUE(unexpected.isEmpty()) << unexpected.toStdString();
    EXPECT_TRUE(about.form() && about.form()->isVisible());
    testing::xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !about.form(); }));  // Esc closes it
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

// Run with no window manager and under one: About's client area stands 105 by 79 pixels (1575 by 1185 twips)
// from the main window's, or, near the screen's edge, its frame stays on the screen; shown again, it stays put.
TEST_F(AboutEndToEnd, OpensBesideTheMainWindow) {
    QWidget owner;
    owner.resize(513, 534);
    const QRect area = owner.screen()->availableGeometry();
    for (const bool nearTheEdge : {false, true}) {
        owner.move(nearTheEdge ? area.bottomRight() - QPoint(150, 100) : QPoint(150, 120));
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        QTest::qWait(200);  // the window manager's frame settles
        about.Show(&owner);
        frmAbout* form = about.form();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        QTest::qWait(200);
        const QRect frame = form->frameGeometry();
        if (nearTheEdge) EXPECT_TRUE(area.contains(frame));
        else EXPECT_EQ(form->geometry().topLeft() - owner.geometry().topLeft(), QPoint(105, 79));
        about.Show(&owner);
        EXPECT_EQ(form->frameGeometry(), frame);
        about.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        owner.hide();
    }
}

}  // namespace
}  // namespace quillbay
