#include "qt/preview/local_browser_factory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/process_launcher.h"
#include "qt/preview/socket_peer.h"
#include "support/platform_fakes.h"

namespace quillbay {
namespace {

using testing::FakeFileProbe;
using testing::FakeLauncher;
using testing::SocketPeer;
using ::testing::HasSubstr;
using namespace std::chrono_literals;

SocketPeer::Script greetsThen(SocketPeer::Script then) {
    return [then](QLocalSocket& s, SocketPeer& p) {
        SocketPeer::greet(s);
        if (then) then(s, p);
    };
}

// Sends `bytes` instead of a greeting, and stays.
SocketPeer::Script sendsAndStays(const QByteArray& bytes) {
    return [bytes](QLocalSocket& s, SocketPeer& p) {
        SocketPeer::send(s, bytes);
        p.holdUntilReleased();
    };
}

// The descriptors of this process that a program started now would inherit, and are sockets.
QList<int> inheritableSockets() {
    QList<int> found;
    for (const QString& entry : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System)) {
        const int fd = entry.toInt();
        struct stat status {};
        const int flags = ::fcntl(fd, F_GETFD);
        if (flags >= 0 && !(flags & FD_CLOEXEC) && ::fstat(fd, &status) == 0 && S_ISSOCK(status.st_mode)) found << fd;
    }
    return found;
}

// The launcher "starts" the browser by running a scripted peer on a copy of the descriptor it was given,
// as the started program would have inherited it.
struct Rig {
    FakeLauncher launcher;
    FakeFileProbe files;
    SocketPeer::Script script;
    QList<QList<int>> inheritedAtStart;
    std::vector<std::unique_ptr<SocketPeer>> peers;
    LocalBrowserFactory factory;

    explicit Rig(std::chrono::milliseconds startTimeout = 400ms, std::chrono::milliseconds callTimeout = 2s,
                 std::chrono::milliseconds pressTimeout = 25s)
        : factory(launcher, files,
                  LocalBrowserOptions{QStringLiteral("/opt/q/quillbay-browser"), startTimeout, callTimeout,
                                      pressTimeout}) {
        files.files << QStringLiteral("/opt/q/quillbay-browser");
        launcher.onStart = [this](const QString&, const QStringList& arguments) {
            inheritedAtStart << inheritableSockets();
            const int copy = ::fcntl(arguments.value(1).toInt(), F_DUPFD_CLOEXEC, 0);
            if (script && copy >= 0) peers.push_back(std::make_unique<SocketPeer>(copy, script));
            else if (copy >= 0) ::close(copy);
        };
    }
    ~Rig() {
        for (auto& peer : peers) peer->release();
    }
};

TEST(LocalBrowserFactory, StartsTheProgramWithItsEndOfAPairAndCarriesCalls) {
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
        EXPECT_EQ(args[0], QStringLiteral("--control-fd"));
        // The browser's end is all a started program inherits: not the tool's end of this press, nor the
        // line to the first browser while the second starts.
        EXPECT_EQ(rig.inheritedAtStart[i], QList<int>{args[1].toInt()}) << i;
    }
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

// A stand-in browser: a real program, started as the browser is, that does what `body` says with the
// descriptor it inherited ($fd). `greet` and `answer` (every call, after $1 seconds) are there to use.
QString standIn(const QTemporaryDir& dir, const char* name, const QString& body) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write("#!/bin/bash\n"
               "[ \"$1\" = --control-fd ] || exit 9\n"
               "exec >/dev/null 2>&1\n"  // the test's output is not held open by a browser that lives on
               "fd=$2\n"
               "greet() { printf '{\"hello\":\"quillbay-browser\",\"version\":%d}\\n' \"${1:-1}\" >&\"$fd\"; }\n"
               "answer() { while IFS= read -r -u \"$fd\" line; do sleep \"$1\";\n"
               "  [[ $line =~ \\\"id\\\":([0-9]+) ]] && printf '{\"id\":%s,\"result\":0}\\n' \"${BASH_REMATCH[1]}\" >&\"$fd\"\n"
               "done; }\n");
    file.write(body.toUtf8() + '\n');
    file.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

// Each way a browser can let the tool down ends the press with its own message, and soon: a browser that
// is gone or has closed its end is noticed then, not at a deadline. The bounds are wide where the row is
// about noticing, tight where it is about a bound.
TEST(LocalBrowserFactory, EachWayAStandInBrowserFailsEndsThePressSoonWithItsMessage) {
    struct Case {
        const char* what;
        QString body;
        LocalBrowserOptions bounds;  // program left empty
        const char* says;
        qint64 withinMs;
    };
    const std::vector<Case> cases{
        {"never greets", "sleep 10", {{}, 1s, 20s, 25s}, "The preview browser did not start within 1 second.", 5000},
        {"greets with another version", "greet 2; sleep 10", {{}, 20s, 20s, 25s},
         "does not match this version of Quillbay.", 5000},
        {"closes its end at once", "exec {fd}>&-; sleep 10", {{}, 20s, 20s, 25s},
         "The preview browser stopped before it was ready.", 5000},
        {"dies after the greeting", "greet; kill -9 $$", {{}, 20s, 20s, 25s},
         "The preview browser closed when asked to show its window.", 5000},
        {"answers every call slowly", "greet; answer 0.3", {{}, 20s, 1s, 1500ms},
         "The preview browser did not answer in time, so Quillbay stopped waiting for it.", 5000},
        {"floods instead of greeting", "head -c 3000000 /dev/zero | tr '\\0' x >&\"$fd\"; sleep 10",
         {{}, 20s, 20s, 25s}, "sent a line of over 1 MB instead of its greeting.", 10000},
    };
    QTemporaryDir dir;
    QtProcessLauncher launcher;
    QtFileProbe files;
    for (const Case& c : cases) {
        LocalBrowserOptions options = c.bounds;
        options.program = standIn(dir, "browser", c.body);
        LocalBrowserFactory factory(launcher, files, options);
        QElapsedTimer clock;
        clock.start();
        const std::optional<PreviewFailure> failure = OpenPreview(startupSettings(), factory);
        const qint64 took = clock.elapsed();
        ASSERT_TRUE(failure) << c.what;
        EXPECT_THAT(failure->message, HasSubstr(c.says)) << c.what;
        EXPECT_LT(took, c.withinMs) << c.what;
        QFile::remove(options.program);
    }
}

// The tool never waits for a browser, nor is it left with one as a child: five presses leave no child
// of the tool's, running or ended and unreaped, while the five browsers live on.
TEST(LocalBrowserFactory, FivePressesLeaveTheToolNoChildWhileTheBrowsersLiveOn) {
    QTemporaryDir dir;
    const QString program = standIn(dir, "browser", QStringLiteral("greet; answer 0; sleep 3"));
    QtProcessLauncher launcher;
    QtFileProbe files;
    LocalBrowserFactory factory(launcher, files, LocalBrowserOptions{program});
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(OpenPreview(startupSettings(), factory)) << "press " << i;
    QThread::msleep(200);
    int children = 0, browsers = 0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(QStringLiteral("/proc/%1/status").arg(entry));
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!status.open(QIODevice::ReadOnly) || !command.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = status.readAll();
        if (text.contains("\nPPid:\t" + QByteArray::number(::getpid()) + '\n')) ++children;
        if (command.readAll().contains(QFile::encodeName(program))) ++browsers;
    }
    EXPECT_EQ(children, 0);
    EXPECT_EQ(browsers, 5);
}

// Whatever the browser does, one press ends by its bound with the one message that says so.
TEST(LocalBrowserFactory, APressEndsByItsBoundWhateverTheBrowserDoes) {
    const auto crawls = greetsThen([](QLocalSocket& s, SocketPeer&) {
        for (QJsonObject r; !(r = SocketPeer::readRequest(s)).isEmpty(); SocketPeer::reply(s, r, hr::kOk))
            std::this_thread::sleep_for(300ms);  // each call well within its own limit, all nine not
    });
    for (const SocketPeer::Script& script : {crawls, sendsAndStays({})}) {
        Rig rig(5s, 500ms, 1s);
        rig.script = script;
        const std::optional<PreviewFailure> failure = OpenPreview(startupSettings(), rig.factory);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->message, "The preview browser did not answer in time, so Quillbay stopped waiting for it. "
                                    "Its window may stay open.");
    }
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
                SocketPeer::greet(s);
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
