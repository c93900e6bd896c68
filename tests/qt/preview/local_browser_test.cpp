#include "qt/preview/local_browser_factory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <optional>

#include "qt/preview/socket_peer.h"
#include "support/platform_fakes.h"

namespace quillbay {
namespace {

using testing::FakeFileProbe;
using testing::FakeLauncher;
using testing::FakeProcessProbe;
using testing::SocketPeer;
using ::testing::HasSubstr;
using namespace std::chrono_literals;

SocketPeer::Script greetsThen(SocketPeer::Script then) {
    return [then](QLocalSocket& s, SocketPeer& p) {
        SocketPeer::send(s, protocol::encode(protocol::helloMessage(4242)));
        if (then) then(s, p);
    };
}

// The launcher "starts" the browser by running a scripted peer that connects to the socket it was given.
struct Rig {
    FakeLauncher launcher;
    FakeFileProbe files;
    FakeProcessProbe processes;
    SocketPeer::Script script;
    QList<QFileDevice::Permissions> socketPermissions;
    std::vector<std::unique_ptr<SocketPeer>> peers;
    LocalBrowserFactory factory;

    explicit Rig(std::chrono::milliseconds startTimeout = 400ms, std::chrono::milliseconds callTimeout = 2s)
        : factory(launcher, files, processes,
                  LocalBrowserOptions{QStringLiteral("/opt/q/quillbay-browser"), startTimeout, callTimeout}) {
        files.files << QStringLiteral("/opt/q/quillbay-browser");
        launcher.onStart = [this](const QString&, const QStringList& arguments) {
            const QString name = arguments.value(1);
            socketPermissions << QFileInfo(name).permissions();
            if (script) peers.push_back(std::make_unique<SocketPeer>(name, script));
        };
    }
    ~Rig() {
        for (auto& peer : peers) peer->release();
    }
};

TEST(LocalBrowserFactory, StartsTheProgramOnAPrivateSocketAndCarriesCalls) {
    Rig rig;
    rig.script = greetsThen([](QLocalSocket& s, SocketPeer&) {
        for (QJsonObject r; !(r = SocketPeer::readRequest(s)).isEmpty();) SocketPeer::reply(s, r, 7);
    });
    BrowserFactory::Created first = rig.factory.create();
    BrowserFactory::Created second = rig.factory.create();
    ASSERT_TRUE(first.browser) << first.error;
    ASSERT_TRUE(second.browser) << second.error;
    EXPECT_EQ(first.browser->put_Height(350), 7);
    EXPECT_EQ(second.browser->put_Width(200), 7);

    ASSERT_EQ(rig.launcher.calls.size(), 2u);
    EXPECT_EQ(rig.launcher.calls[0].program, QStringLiteral("/opt/q/quillbay-browser"));
    for (int i = 0; i < 2; ++i) {
        const QStringList& args = rig.launcher.calls[i].arguments;
        ASSERT_EQ(args.size(), 2);
        EXPECT_EQ(args[0], QStringLiteral("--control"));
        // 128 random bits in the name, and only this user may connect.
        EXPECT_TRUE(QRegularExpression(QStringLiteral("quillbay-preview-[0-9a-f]{32}$")).match(args[1]).hasMatch())
            << args[1].toStdString();
        EXPECT_EQ(rig.socketPermissions[i] & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                        QFileDevice::ReadOther | QFileDevice::WriteOther),
                  QFileDevice::Permissions{});
        // Once the browser is in, nobody else can reach the socket.
        EXPECT_FALSE(QFileInfo::exists(args[1]));
    }
    EXPECT_NE(rig.launcher.calls[0].arguments[1], rig.launcher.calls[1].arguments[1]);
}

// The socket lies in the user's runtime folder when there is one, else in the temporary folder, as it does
// when the runtime folder's path is too long for a socket address.
TEST(LocalBrowserFactory, PutsTheSocketInTheRuntimeFolder) {
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir runtime;
    QTemporaryDir deep;
    const QString tooLong = deep.filePath(QString(120, QLatin1Char('d')));
    ASSERT_TRUE(QDir().mkpath(tooLong));
    QFile::setPermissions(tooLong, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const struct {
        const char* what;
        std::optional<QString> runtimeFolder;
        QString socketFolder;
    } cases[] = {
        {"runtime folder", runtime.path(), runtime.path()},
        {"none", std::nullopt, QDir::tempPath()},
        {"path too long", tooLong, QDir::tempPath()},
    };
    for (const auto& c : cases) {
        if (c.runtimeFolder) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(*c.runtimeFolder));
        else qunsetenv("XDG_RUNTIME_DIR");
        Rig rig;
        rig.script = greetsThen({});
        const BrowserFactory::Created created = rig.factory.create();
        EXPECT_TRUE(created.browser) << c.what << ": " << created.error;
        ASSERT_EQ(rig.launcher.calls.size(), 1u) << c.what;
        EXPECT_EQ(QFileInfo(rig.launcher.calls[0].arguments.value(1)).absolutePath(), QDir(c.socketFolder).absolutePath())
            << c.what;
    }
    if (saved.isNull()) qunsetenv("XDG_RUNTIME_DIR");
    else qputenv("XDG_RUNTIME_DIR", saved);
}

TEST(LocalBrowserFactory, ExplainsEveryWayTheBrowserFailsToStart) {
    struct Case {
        const char* what;
        std::function<void(Rig&)> arrange;
        HResult code;
        const char* says;
        bool launched;
    };
    const std::vector<Case> cases{
        {"program missing", [](Rig& r) { r.files.files.clear(); }, hr::kFail,
         "The preview browser was not found. It should be here:\n/opt/q/quillbay-browser", false},
        {"start refused", [](Rig& r) { r.launcher.succeeds = false; }, hr::kFail,
         "The preview browser could not be started:\n/opt/q/quillbay-browser", true},
        {"never connects", [](Rig&) {}, hr::kTimeout, "did not start within 1 second.", true},
        {"dies at start", [](Rig& r) { r.processes.running = false; }, hr::kDisconnected,
         "stopped before it was ready", true},
        {"connects but never greets",
         [](Rig& r) { r.script = [](QLocalSocket&, SocketPeer& p) { p.holdUntilReleased(); }; },
         hr::kTimeout, "did not start within", true},
        {"connects and hangs up", [](Rig& r) { r.script = [](QLocalSocket& s, SocketPeer&) { s.abort(); }; },
         hr::kDisconnected, "stopped before it was ready", true},
        {"greets in another version",
         [](Rig& r) {
             r.script = [](QLocalSocket& s, SocketPeer& p) {
                 QJsonObject hello = protocol::helloMessage(1);
                 hello[QStringLiteral("version")] = protocol::kVersion + 1;
                 SocketPeer::send(s, protocol::encode(hello));
                 p.holdUntilReleased();
             };
         },
         hr::kUnexpected, "does not match this version of Quillbay", true},
        {"is something else",
         [](Rig& r) {
             r.script = [](QLocalSocket& s, SocketPeer& p) {
                 SocketPeer::send(s, "SSH-2.0-OpenSSH\n");
                 p.holdUntilReleased();
             };
         },
         hr::kUnexpected, "does not match", true},
    };
    for (const Case& c : cases) {
        Rig rig;
        c.arrange(rig);
        const BrowserFactory::Created created = rig.factory.create();
        EXPECT_FALSE(created.browser) << c.what;
        EXPECT_EQ(created.code, c.code) << c.what;
        EXPECT_THAT(created.error, HasSubstr(c.says)) << c.what;
        EXPECT_EQ(rig.launcher.calls.size(), c.launched ? 1u : 0u) << c.what;
    }
}

TEST(LocalBrowserFactory, ABrowserThatDiesAtStartIsNoticedBeforeTheDeadline) {
    FakeLauncher launcher;
    FakeFileProbe files;
    files.files << QStringLiteral("b");
    FakeProcessProbe processes;
    processes.running = false;
    // With an hour to wait, only noticing the death can end this test in time.
    LocalBrowserFactory factory(launcher, files, processes, LocalBrowserOptions{QStringLiteral("b"), 1h, 1h});
    const BrowserFactory::Created created = factory.create();
    EXPECT_EQ(created.code, hr::kDisconnected);
}

// A window of the tool's, as the preview's waits see it: what reaches it while the browser keeps us waiting.
struct WindowDuringWait {
    WindowDuringWait() {
        window.resize(200, 100);
        window.installEventFilter(&paints);
        window.show();
        QApplication::processEvents();
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] { ++timerFires; });
    }
    // Run on the browser's side while the tool waits: asks for a repaint and starts a timer.
    void poke() {
        QMetaObject::invokeMethod(
            &window,
            [this] {
                paintsWhenPoked = paints.count;
                window.update();
                timer.start();
            },
            Qt::QueuedConnection);
    }
    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++count;
            return false;
        }
        int count = 0;
    } paints;
    QWidget window;
    QTimer timer;
    int timerFires = 0;
    int paintsWhenPoked = -1;
};

// While the browser keeps the tool waiting (starting, then a call), the windows still repaint, and the
// tool's timers wait their turn.
TEST(LocalBrowserFactory, WaitingOnTheBrowserKeepsWindowsPaintingAndTimersWaiting) {
    const struct {
        const char* what;
        bool greets;
    } cases[] = {{"never greets", false}, {"greets, never answers", true}};
    for (const auto& c : cases) {
        WindowDuringWait tool;
        Rig rig(800ms, 800ms);
        rig.script = [&](QLocalSocket& s, SocketPeer& p) {
            if (c.greets) {
                SocketPeer::send(s, protocol::encode(protocol::helloMessage(4242)));
                SocketPeer::readRequest(s);
            }
            tool.poke();
            p.holdUntilReleased();
        };
        BrowserFactory::Created created = rig.factory.create();
        if (c.greets) {
            ASSERT_TRUE(created.browser) << c.what;
            EXPECT_EQ(created.browser->put_Visible(kVariantTrue), hr::kTimeout) << c.what;
        } else {
            EXPECT_EQ(created.code, hr::kTimeout) << c.what;
        }
        ASSERT_GE(tool.paintsWhenPoked, 0) << c.what << ": nothing was handled while waiting";
        EXPECT_GT(tool.paints.count, tool.paintsWhenPoked) << c.what << ": no repaint while waiting";
        EXPECT_EQ(tool.timerFires, 0) << c.what;
        for (auto& peer : rig.peers) peer->release();
        QTest::qWait(50);
        EXPECT_GT(tool.timerFires, 0) << c.what << ": the timer runs once the wait is over";
    }
}

// Clicks as the X server delivers them, made by another program as a user's would be.
void clickOnScreen(const QWidget& target) {
    const QPoint at = target.mapTo(target.window(), target.rect().center());
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("--window"),
                       QString::number(target.window()->winId()), QString::number(at.x()), QString::number(at.y()),
                       QStringLiteral("click"), QStringLiteral("1")});
}

// Each click runs to its end before the next is handled: what the user does while a preview waits on its
// browser is neither lost nor run in the middle of it, but handled afterwards, in the order it was done.
TEST(LocalBrowserFactory, InputMadeWhileWaitingRunsAfterwardsInOrderOnDisplay) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server and xdotool";
    enum class Then { SecondPreview, Exit };
    for (const Then then : {Then::SecondPreview, Then::Exit}) {
        std::atomic<int> started{0};
        Rig rig;
        QStringList log;
        QWidget window;
        window.setGeometry(100, 100, 300, 100);
        auto* preview = new QPushButton(QStringLiteral("Preview"), &window);
        preview->setGeometry(10, 10, 120, 40);
        auto* exit = new QPushButton(QStringLiteral("Exit"), &window);
        exit->setGeometry(170, 10, 120, 40);
        QObject::connect(preview, &QPushButton::clicked, [&] {
            log << QStringLiteral("preview");
            BrowserFactory::Created created = rig.factory.create();
            const HResult shown = created.browser ? created.browser->put_Visible(kVariantTrue) : created.code;
            log << QStringLiteral("shown %1").arg(shown);
        });
        QObject::connect(exit, &QPushButton::clicked, [&] { log << QStringLiteral("exit"); });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        // The first browser holds its answer while the user clicks on, 120 ms apart.
        rig.script = greetsThen([&](QLocalSocket& s, SocketPeer&) {
            const QJsonObject request = SocketPeer::readRequest(s);
            if (started++ == 0) {
                QThread::msleep(120);
                clickOnScreen(then == Then::SecondPreview ? *preview : *exit);
                QThread::msleep(300);
            }
            SocketPeer::reply(s, request, hr::kOk);
        });
        clickOnScreen(*preview);
        const QStringList expected =
            then == Then::SecondPreview
                ? QStringList{"preview", "shown 0", "preview", "shown 0"}
                : QStringList{"preview", "shown 0", "exit"};
        static_cast<void>(QTest::qWaitFor([&] { return log.size() >= expected.size(); }, 3000));
        QTest::qWait(200);  // nothing more comes
        EXPECT_EQ(log.join(QStringLiteral(", ")).toStdString(), expected.join(QStringLiteral(", ")).toStdString());
        EXPECT_EQ(rig.launcher.calls.size(), then == Then::SecondPreview ? 2u : 1u);
    }
}

}  // namespace
}  // namespace quillbay
