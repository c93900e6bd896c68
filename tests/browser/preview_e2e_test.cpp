// End to end under a real X server: this program plays Quillbay (a process of its own that
// presses "Preview" and ends), then checks the browser windows through the X server itself.
// Started by ctest under xvfb-run; every browser it causes is ended by its process id.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <thread>

#include "platform/messenger.h"
#include "platform/file_probe.h"
#include "platform/process_launcher.h"
#include "platform/process_probe.h"
#include "qt/preview/browser_protocol.h"
#include "qt/preview/control_channel.h"
#include "qt/preview/local_browser_factory.h"

namespace quillbay {
namespace {

using ::testing::HasSubstr;
using namespace std::chrono_literals;

constexpr QRgb kPageColour = qRgb(0x20, 0x80, 0x40);
const QByteArray kPage =
    "<html><head><title>Popup under test</title></head>"
    "<body style=\"margin:0;background:#208040;overflow:hidden\"></body></html>";

// ---- The tool's side: a separate process, like Quillbay, that presses Preview and exits. ----

class PrintingMessenger final : public Messenger {
public:
    void tell(QWidget*, const QString& text) override {
        std::printf("MESSAGE %s\n", text.simplified().toUtf8().constData());
    }
};

class PidRecordingLauncher final : public ProcessLauncher {
public:
    bool startDetached(const QString& program, const QStringList& arguments, qint64* pid) override {
        qint64 started = 0;
        const bool ok = real_.startDetached(program, arguments, &started);
        if (ok) std::printf("PID %lld\n", static_cast<long long>(started));
        std::fflush(stdout);
        if (pid) *pid = started;
        return ok;
    }

private:
    QtProcessLauncher real_;
};

// --tool <program> <url> <height> <width> <features: letters of the bars to tick> <presses>
int runTool(const QStringList& args) {
    PopupSettings settings = startupSettings();
    settings.url = args.value(1).toStdString();
    settings.height = args.value(2).toStdString();
    settings.width = args.value(3).toStdString();
    const QString ticks = args.value(4);
    const std::pair<QChar, PopupFeature> letters[] = {
        {'L', PopupFeature::Location}, {'S', PopupFeature::Status},  {'T', PopupFeature::Toolbar},
        {'M', PopupFeature::Menubar},  {'R', PopupFeature::Resize},  {'C', PopupFeature::Scroll},
        {'D', PopupFeature::Directories}};
    for (const auto& [letter, feature] : letters) settings.setFeature(feature, ticks.contains(letter));

    PrintingMessenger messenger;
    PidRecordingLauncher launcher;
    QtFileProbe files;
    LocalBrowserFactory browsers(launcher, files, LocalBrowserOptions{args.value(0)});
    const PreviewService preview(browsers);
    QWidget mainWindow;
    mainWindow.show();
    for (int i = 0, presses = args.value(5).toInt(); i < presses; ++i) {
        preview(settings, [&](const std::string& text) { messenger.tell(&mainWindow, QString::fromStdString(text)); });
        std::fflush(stdout);
    }
    return 0;  // Quillbay closes: the previews must not care
}

// ---- The checking side. ----

QString browserProgram() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quillbay-browser")); }

struct ToolRun {
    QList<qint64> pids;
    QStringList messages;
};

// Ends every browser a test caused, whether the test passed or not.
class BrowserReaper {
public:
    ~BrowserReaper() {
        for (qint64 pid : pids) ::kill(static_cast<pid_t>(pid), SIGTERM);
        SystemProcessProbe probe;
        for (qint64 pid : pids) {
            for (int i = 0; i < 100 && probe.isRunning(pid); ++i) QThread::msleep(20);
            if (probe.isRunning(pid)) ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
    }
    QList<qint64> pids;
};

ToolRun runToolProcess(BrowserReaper& reaper, const QString& url, const QString& height, const QString& width,
                       const QString& ticks, int presses, const QString& program = browserProgram()) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--tool"), program, url, height, width, ticks, QString::number(presses)});
    ToolRun run;
    if (!tool.waitForFinished(120000)) {
        ADD_FAILURE() << "the tool did not finish";
        tool.kill();
        tool.waitForFinished();
    }
    for (const QString& line : QString::fromUtf8(tool.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(QLatin1String("PID "))) {
            run.pids << line.mid(4).toLongLong();
            reaper.pids << run.pids.back();
        } else if (line.startsWith(QLatin1String("MESSAGE "))) {
            run.messages << line.mid(8);
        }
    }
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    return run;
}

QString x11(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

struct XWindow {
    QString id;
    QSize size;
    QString title;
    QString normalHints;
};

// The mapped top-level window that belongs to `pid`, as the X server sees it.
std::optional<XWindow> windowOf(qint64 pid) {
    static const QRegularExpression child(QStringLiteral("^\\s+(0x[0-9a-f]+) "), QRegularExpression::MultilineOption);
    auto it = child.globalMatch(x11(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")}));
    while (it.hasNext()) {
        const QString id = it.next().captured(1);
        const QString pidProp = x11(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_PID")});
        if (!pidProp.contains(QStringLiteral("= %1").arg(pid))) continue;
        const QString info = x11(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
        if (!info.contains(QLatin1String("IsViewable"))) continue;
        XWindow w;
        w.id = id;
        w.size = QSize(QRegularExpression(QStringLiteral("Width: (\\d+)")).match(info).captured(1).toInt(),
                       QRegularExpression(QStringLiteral("Height: (\\d+)")).match(info).captured(1).toInt());
        w.title = x11(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_NAME")}).trimmed();
        w.normalHints = x11(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("WM_NORMAL_HINTS")});
        return w;
    }
    return std::nullopt;
}

std::optional<XWindow> waitForWindowOf(qint64 pid, const std::function<bool(const XWindow&)>& ready = {}) {
    std::optional<XWindow> w;
    for (int i = 0; i < 150; ++i) {
        w = windowOf(pid);
        if (w && (!ready || ready(*w))) return w;
        QThread::msleep(100);
    }
    return w;
}

// Without a window manager the previews all open at the same place; what is covered reads
// black, so the window is raised and grabbed until its page shows in the middle.
QImage grab(const XWindow& w, const QString& file) {
    x11(QStringLiteral("xdotool"), {QStringLiteral("windowraise"), w.id});
    QImage image;
    for (int i = 0; i < 50; ++i) {
        x11(QStringLiteral("import"), {QStringLiteral("-window"), w.id, file});
        image = QImage(file);
        if (!image.isNull() && image.pixel(image.width() / 2, image.height() / 2) == kPageColour) break;
        QThread::msleep(100);
    }
    return image;
}

bool titled(const XWindow& w) { return w.title.contains(QLatin1String("Popup under test")); }

// A web server on the loopback, so the address can be typed without a scheme.
class LoopbackServer {
public:
    LoopbackServer() {
        std::atomic<quint16> port{0};
        thread_ = std::thread([this, &port] {
            QTcpServer server;
            server.listen(QHostAddress::LocalHost);
            port = server.serverPort();
            while (!stop_) {
                if (!server.waitForNewConnection(50)) continue;
                std::unique_ptr<QTcpSocket> s(server.nextPendingConnection());
                while (!s->canReadLine() && s->waitForReadyRead(2000)) {
                }
                const bool page = s->readLine().contains(" /popup.html ");
                const QByteArray body = page ? kPage : QByteArray("not here");
                s->write((page ? "HTTP/1.0 200 OK\r\n" : "HTTP/1.0 404 Not Found\r\n") +
                         QByteArray("Content-Type: text/html\r\nConnection: close\r\nContent-Length: ") +
                         QByteArray::number(body.size()) + "\r\n\r\n" + body);
                while (s->bytesToWrite() > 0 && s->waitForBytesWritten(2000)) {
                }
                s->disconnectFromHost();
            }
        });
        while (port == 0) std::this_thread::sleep_for(1ms);
        port_ = port;
    }
    ~LoopbackServer() {
        stop_ = true;
        thread_.join();
    }
    quint16 port() const { return port_; }

private:
    std::atomic<bool> stop_{false};
    quint16 port_ = 0;
    std::thread thread_;
};

class PreviewEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        pagePath_ = dir_.filePath(QStringLiteral("popup.html"));
        QFile page(pagePath_);
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(kPage);
    }
    QString shot(const QString& name) const {
        // Set QUILLBAY_SHOTS to a directory to keep the screenshots.
        const QString dirName = qEnvironmentVariable("QUILLBAY_SHOTS", dir_.path());
        return QDir(dirName).filePath(name);
    }
    QTemporaryDir dir_;
    QString pagePath_;
    BrowserReaper reaper_;
};

TEST_F(PreviewEndToEnd, TwoPressesOpenTwoWindowsWithEveryBarThatOutliveTheTool) {
    LoopbackServer web;
    const QString address = QStringLiteral("127.0.0.1:%1/popup.html").arg(web.port());  // no scheme: http
    const ToolRun run = runToolProcess(reaper_, address, QStringLiteral("350"), QStringLiteral("200"),
                                       QStringLiteral("LSTMR"), 2);
    EXPECT_TRUE(run.messages.isEmpty()) << run.messages.join('\n').toStdString();
    ASSERT_EQ(run.pids.size(), 2);
    EXPECT_NE(run.pids[0], run.pids[1]);

    SystemProcessProbe probe;
    for (int i = 0; i < 2; ++i) {
        const qint64 pid = run.pids[i];
        EXPECT_TRUE(probe.isRunning(pid)) << "the browser ended with the tool";
        const std::optional<XWindow> w = waitForWindowOf(pid, titled);
        ASSERT_TRUE(w) << "no window for browser " << pid;
        EXPECT_EQ(w->size, QSize(200, 350));
        EXPECT_TRUE(titled(*w)) << w->title.toStdString();
        EXPECT_FALSE(w->normalHints.contains(QLatin1String("program specified maximum size")))
            << w->normalHints.toStdString();

        // Menu and tool bars above the page, the status bar below it.
        const QImage image = grab(*w, shot(QStringLiteral("preview-all-bars-%1.png").arg(i)));
        ASSERT_EQ(image.size(), QSize(200, 350));
        EXPECT_NE(image.pixel(100, 2), kPageColour);
        EXPECT_NE(image.pixel(100, 347), kPageColour);
        EXPECT_EQ(image.pixel(100, 175), kPageColour);
    }
}

TEST_F(PreviewEndToEnd, ScrollBarsAndDirectoriesAloneGiveABareFixedWindow) {
    const ToolRun run =
        runToolProcess(reaper_, pagePath_, QStringLiteral("300"), QStringLiteral("260"), QStringLiteral("CD"), 1);
    EXPECT_TRUE(run.messages.isEmpty()) << run.messages.join('\n').toStdString();
    ASSERT_EQ(run.pids.size(), 1);
    const std::optional<XWindow> w = waitForWindowOf(run.pids[0], titled);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->size, QSize(260, 300));
    EXPECT_THAT(w->normalHints.toStdString(), HasSubstr("program specified minimum size: 260 by 300"));
    EXPECT_THAT(w->normalHints.toStdString(), HasSubstr("program specified maximum size: 260 by 300"));

    const QImage image = grab(*w, shot(QStringLiteral("preview-no-bars.png")));
    ASSERT_EQ(image.size(), QSize(260, 300));
    for (const QPoint p : {QPoint(1, 1), QPoint(258, 1), QPoint(1, 298), QPoint(258, 298), QPoint(130, 150)})
        EXPECT_EQ(image.pixel(p), kPageColour) << "bar at " << p.x() << "," << p.y();
}

// A bad width is found after Navigate: one message, and the window already shows the page.
TEST_F(PreviewEndToEnd, ABadWidthIsReportedWhileTheWindowStaysOpen) {
    const ToolRun run =
        runToolProcess(reaper_, pagePath_, QStringLiteral("300"), QStringLiteral("wide"), QStringLiteral("LSTMR"), 1);
    ASSERT_EQ(run.messages.size(), 1);
    EXPECT_THAT(run.messages[0].toStdString(), HasSubstr("The width \"wide\" is not a whole number"));
    ASSERT_EQ(run.pids.size(), 1);
    const std::optional<XWindow> w = waitForWindowOf(run.pids[0], titled);
    ASSERT_TRUE(w);
    EXPECT_TRUE(titled(*w));
    EXPECT_EQ(w->size.height(), 300) << "the height was set before the width failed";
}

TEST_F(PreviewEndToEnd, AMissingBrowserIsReportedAndNothingStarts) {
    const ToolRun run = runToolProcess(reaper_, pagePath_, QStringLiteral("350"), QStringLiteral("200"), QString(), 1,
                                       dir_.filePath(QStringLiteral("no-such-browser")));
    EXPECT_TRUE(run.pids.isEmpty());
    ASSERT_EQ(run.messages.size(), 1);
    EXPECT_THAT(run.messages[0].toStdString(), HasSubstr("The preview browser was not found"));
}

// Xvfb's screen, as the test's command line gives it; without a window manager all of it is available.
const QSize kScreen(1280, 1024);

// Sizes far past the screen once cost gigabytes and then crashed the browser.
TEST_F(PreviewEndToEnd, AHugeSizeGivesAWindowAsLargeAsTheScreen) {
    const ToolRun run =
        runToolProcess(reaper_, pagePath_, QStringLiteral("32767"), QStringLiteral("32767"), QStringLiteral("LSTMR"), 1);
    EXPECT_TRUE(run.messages.isEmpty()) << run.messages.join('\n').toStdString();
    ASSERT_EQ(run.pids.size(), 1);
    const std::optional<XWindow> w = waitForWindowOf(run.pids[0], titled);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->size, kScreen);
    const QImage image = grab(*w, shot(QStringLiteral("preview-huge.png")));
    EXPECT_EQ(image.pixel(kScreen.width() / 2, kScreen.height() / 2), kPageColour) << "the page is drawn";
    EXPECT_TRUE(SystemProcessProbe().isRunning(run.pids[0]));
}

// One request to a fresh browser used to read its replaced native window after it was freed.
TEST_F(PreviewEndToEnd, AFreshBrowserShowsItsWindowAndLivesOn) {
    std::optional<ControlPair> line = openControlPair(nullptr);
    ASSERT_TRUE(line);
    QProcess browser;
    browser.setProcessChannelMode(QProcess::ForwardedChannels);
    browser.start(browserProgram(), {QStringLiteral("--control-fd"), QString::number(line->browser.descriptor())});
    ASSERT_TRUE(browser.waitForStarted());
    line->browser.close();
    reaper_.pids << browser.processId();
    HResult failure = hr::kOk;
    ASSERT_TRUE(line->tool.readLine(QDeadlineTimer(30s), &failure)) << "no greeting, " << failure;

    ASSERT_EQ(line->tool.send("{\"id\":1,\"call\":\"put_Visible\",\"arg\":-1}\n", QDeadlineTimer(30s)), hr::kOk);
    const std::optional<QByteArray> reply = line->tool.readLine(QDeadlineTimer(30s), &failure);
    ASSERT_TRUE(reply) << failure;
    EXPECT_EQ(protocol::decode(*reply), (QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("result"), hr::kOk}}));
    // WebEngine may replace the native window just after the first one is shown: look a little later.
    EXPECT_TRUE(waitForWindowOf(browser.processId())) << "no window on screen";
    EXPECT_FALSE(browser.waitForFinished(2000)) << "the browser ended, exit code " << browser.exitCode();
    browser.kill();
    browser.waitForFinished();
}

// The real program, pressed with the mouse as a user would. Positions are the centres of the
// controls in the main window's design, in twips (15 to a pixel).
QPoint centreOf(int left, int top, int width, int height) {
    return QPoint((left + width / 2 + 7) / 15, (top + height / 2 + 7) / 15);
}

void click(const QString& window, QPoint at, std::chrono::milliseconds pause = 200ms) {
    x11(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                                    QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                                    QStringLiteral("1")});
    QThread::msleep(static_cast<unsigned long>(pause.count()));
}

QList<qint64> browsersOnDisplay() {
    QList<qint64> pids;
    const QString ids = x11(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                        QStringLiteral("--class"), QStringLiteral("quillbay-browser")});
    for (const QString& id : ids.split('\n', Qt::SkipEmptyParts)) {
        const qint64 pid = x11(QStringLiteral("xdotool"), {QStringLiteral("getwindowpid"), id}).trimmed().toLongLong();
        if (pid > 0 && !pids.contains(pid)) pids << pid;
    }
    return pids;
}

TEST_F(PreviewEndToEnd, TheRealQuillbayPreviewsTwiceAndBothWindowsSurviveExit) {
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quillbay"));
    if (!QFileInfo::exists(program)) GTEST_SKIP() << "quillbay is not built";
    LoopbackServer web;
    QProcess quillbay;
    quillbay.setProcessChannelMode(QProcess::ForwardedChannels);
    quillbay.start(program);
    ASSERT_TRUE(quillbay.waitForStarted());
    struct Reap {
        BrowserReaper& reaper;
        ~Reap() { reaper.pids << browsersOnDisplay(); }  // whatever happens, none is left behind
    } reap{reaper_};

    QString window;
    for (int i = 0; i < 100 && window.isEmpty(); ++i) {
        window = x11(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                 QStringLiteral("--pid"), QString::number(quillbay.processId())})
                     .section('\n', 0, 0);
        if (window.isEmpty()) QThread::msleep(100);
    }
    ASSERT_FALSE(window.isEmpty()) << "Quillbay showed no window";

    click(window, centreOf(2400, 840, 4575, 285));  // txtUrl
    x11(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("ctrl+a")});
    x11(QStringLiteral("xdotool"),
        {QStringLiteral("type"), QStringLiteral("127.0.0.1:%1/popup.html").arg(web.port())});
    click(window, centreOf(240, 3240, 2055, 375));  // Command1 "Generate This Code"
    // Clicked as a quick user would, 120 ms apart, while the first press still waits on its browser: the
    // clicks made meanwhile are handled after it, in order, so the second press opens a second window and
    // Exit ends the tool only once both previews have made every call (title and size below).
    click(window, centreOf(240, 6960, 1095, 375), 120ms);  // Command2 "Preview"
    click(window, centreOf(240, 6960, 1095, 375), 120ms);  // Command2 "Preview"
    click(window, centreOf(6240, 6960, 735, 375), 0ms);    // Command4 "Exit"
    ASSERT_TRUE(quillbay.waitForFinished(30000)) << "Exit did not end Quillbay";

    QList<qint64> pids;
    for (int i = 0; i < 100 && pids.size() < 2; ++i) {
        pids = browsersOnDisplay();
        if (pids.size() < 2) QThread::msleep(100);
    }
    reaper_.pids << pids;
    ASSERT_EQ(pids.size(), 2) << "two presses, two browsers, both still open after Exit";
    for (qint64 pid : pids) {
        const std::optional<XWindow> w = waitForWindowOf(pid, titled);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->size, QSize(200, 350));  // the design's width and height
        EXPECT_TRUE(titled(*w)) << w->title.toStdString();
    }
}

}  // namespace
}  // namespace quillbay

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && args[1] == QLatin1String("--tool")) return quillbay::runTool(args.mid(2));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
