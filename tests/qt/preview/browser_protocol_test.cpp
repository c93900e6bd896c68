#include "qt/preview/browser_call_server.h"
#include "qt/preview/browser_protocol.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QLocalSocket>
#include <QThread>
#include <atomic>
#include <mutex>
#include <sys/socket.h>

#include "qt/preview/local_browser.h"
#include "support/preview_fakes.h"
#include "qt/preview/socket_peer.h"

namespace quillbay {
namespace {

using testing::Call;
using testing::SocketPeer;
using namespace std::chrono_literals;

// The tool's end of a connection to a scripted peer.
struct Connection {
    explicit Connection(SocketPeer::Script script, std::chrono::milliseconds timeout = 2s) {
        auto [channel, scripted] = testing::pairWithPeer(std::move(script));
        peer = std::move(scripted);
        if (channel.isOpen()) browser = std::make_unique<LocalBrowser>(std::move(channel), timeout);
    }
    ~Connection() {
        browser.reset();
        peer.reset();
    }
    std::unique_ptr<SocketPeer> peer;
    std::unique_ptr<LocalBrowser> browser;
};

TEST(LocalBrowser, SendsEachCallAsOneRequestAndReturnsItsResult) {
    std::mutex lock;
    QJsonArray seen;
    Connection c([&](QLocalSocket& socket, SocketPeer&) {
        for (;;) {
            const QJsonObject request = SocketPeer::readRequest(socket);
            if (request.isEmpty()) return;
            {
                std::lock_guard guard(lock);
                seen.append(request);
            }
            const QString call = request.value(QStringLiteral("call")).toString();
            SocketPeer::reply(socket, request, call == QLatin1String("put_Width") ? hr::kInvalidArg : 0);
        }
    });
    ASSERT_TRUE(c.browser);
    LocalBrowser& b = *c.browser;
    EXPECT_EQ(b.put_Visible(kVariantTrue), hr::kOk);
    EXPECT_EQ(b.Navigate("www.example.com/a b"), hr::kOk);
    EXPECT_EQ(b.put_Height(350), hr::kOk);
    EXPECT_EQ(b.put_Width(-2147483647 - 1), hr::kInvalidArg);
    EXPECT_EQ(b.put_AddressBar(kVariantFalse), hr::kOk);
    EXPECT_EQ(b.put_StatusBar(kVariantTrue), hr::kOk);
    EXPECT_EQ(b.put_ToolBar(1), hr::kOk);
    EXPECT_EQ(b.put_MenuBar(kVariantTrue), hr::kOk);
    EXPECT_EQ(b.put_Resizable(kVariantFalse), hr::kOk);
    c.browser.reset();  // releasing hangs up, which ends the peer's loop
    c.peer.reset();

    const std::vector<std::pair<QString, QJsonValue>> expected{
        {"put_Visible", -1},    {"Navigate", QStringLiteral("www.example.com/a b")},
        {"put_Height", 350},    {"put_Width", -2147483648.0},
        {"put_AddressBar", 0},  {"put_StatusBar", -1},
        {"put_ToolBar", 1},     {"put_MenuBar", -1},
        {"put_Resizable", 0}};
    ASSERT_EQ(seen.size(), static_cast<qsizetype>(expected.size()));
    QSet<qint64> ids;
    for (qsizetype i = 0; i < seen.size(); ++i) {
        const QJsonObject r = seen[i].toObject();
        EXPECT_EQ(r.value(QStringLiteral("call")).toString(), expected[i].first);
        EXPECT_EQ(r.value(QStringLiteral("arg")), expected[i].second) << expected[i].first.toStdString();
        ids.insert(r.value(QStringLiteral("id")).toInteger());
    }
    EXPECT_EQ(ids.size(), seen.size()) << "every request has its own id";
}

// Whatever goes wrong on the far side, the call comes back with a failure code, and the
// connection is not trusted again.
TEST(LocalBrowser, FailsACallThePeerDoesNotAnswerProperly) {
    struct Case {
        const char* what;
        SocketPeer::Script script;
        HResult expected;
    };
    const std::vector<Case> cases{
        {"never answers",
         [](QLocalSocket& s, SocketPeer& p) {
             SocketPeer::readRequest(s);
             p.holdUntilReleased();
         },
         hr::kTimeout},
        {"hangs up mid-call",
         [](QLocalSocket& s, SocketPeer&) {
             SocketPeer::readRequest(s);
             s.disconnectFromServer();
         },
         hr::kDisconnected},
        {"dies before the request",
         [](QLocalSocket& s, SocketPeer&) { s.abort(); },
         hr::kDisconnected},
        {"answers garbage",
         [](QLocalSocket& s, SocketPeer& p) {
             SocketPeer::readRequest(s);
             SocketPeer::send(s, "this is not json\n");
             p.holdUntilReleased();
         },
         hr::kUnexpected},
        {"answers another request",
         [](QLocalSocket& s, SocketPeer& p) {
             SocketPeer::readRequest(s);
             SocketPeer::reply(s, QJsonObject{{QStringLiteral("id"), 999}}, hr::kOk);
             p.holdUntilReleased();
         },
         hr::kUnexpected},
        {"answers without a result",
         [](QLocalSocket& s, SocketPeer& p) {
             const QJsonObject r = SocketPeer::readRequest(s);
             SocketPeer::send(s, protocol::encode(QJsonObject{{QStringLiteral("id"), r.value(QStringLiteral("id"))}}));
             p.holdUntilReleased();
         },
         hr::kUnexpected},
        {"floods without a line end",
         [](QLocalSocket& s, SocketPeer& p) {
             SocketPeer::readRequest(s);
             SocketPeer::send(s, QByteArray(protocol::kMaxLineBytes + 4096, 'x'));
             p.holdUntilReleased();
         },
         hr::kUnexpected},
    };
    for (const Case& c : cases) {
        Connection connection(c.script, c.expected == hr::kTimeout ? 300ms : 5000ms);
        ASSERT_TRUE(connection.browser) << c.what;
        EXPECT_EQ(connection.browser->put_Height(350), c.expected) << c.what;
        EXPECT_EQ(connection.browser->put_Width(200), hr::kDisconnected) << c.what << ", then asked again";
    }
}

// The longest request the browser's reader takes is sent; one more byte, and the call fails at once
// without sending anything, so the connection still carries the next call.
TEST(LocalBrowser, ARequestTooLongForTheBrowserIsNeverSent) {
    const qsizetype overhead = protocol::encode(QJsonObject{{QStringLiteral("id"), 1},
                                                            {QStringLiteral("call"), QStringLiteral("Navigate")},
                                                            {QStringLiteral("arg"), QString()}})
                                   .size();
    const qsizetype longest = protocol::kMaxLineBytes - overhead;
    for (const qsizetype length : {longest, longest + 1}) {
        std::mutex lock;
        QStringList seen;
        Connection c([&](QLocalSocket& socket, SocketPeer&) {
            for (QJsonObject request; !(request = SocketPeer::readRequest(socket)).isEmpty();) {
                {
                    std::lock_guard guard(lock);
                    seen << request.value(QStringLiteral("call")).toString();
                }
                SocketPeer::reply(socket, request, hr::kOk);
            }
        });
        ASSERT_TRUE(c.browser);
        const bool fits = length == longest;
        EXPECT_EQ(c.browser->Navigate(std::string(length, 'a')), fits ? hr::kOk : hr::kTooLong) << length;
        EXPECT_EQ(c.browser->put_Height(350), hr::kOk) << length;
        c.browser.reset();
        c.peer.reset();
        EXPECT_EQ(seen, fits ? QStringList({"Navigate", "put_Height"}) : QStringList({"put_Height"})) << length;
    }
    // Control characters are written out in the request, six bytes each: a sixth of the limit is too long.
    Connection c([](QLocalSocket& s, SocketPeer& p) {
        SocketPeer::reply(s, SocketPeer::readRequest(s), hr::kOk);
        p.holdUntilReleased();
    });
    ASSERT_TRUE(c.browser);
    EXPECT_EQ(c.browser->Navigate(std::string(protocol::kMaxLineBytes / 6 + 1, '\1')), hr::kTooLong);
}

TEST(LocalBrowser, AnAnswerSentJustBeforeHangingUpStillCounts) {
    Connection c([](QLocalSocket& s, SocketPeer&) {
        SocketPeer::reply(s, SocketPeer::readRequest(s), hr::kInvalidArg);
        s.disconnectFromServer();
    });
    ASSERT_TRUE(c.browser);
    EXPECT_EQ(c.browser->put_Visible(kVariantTrue), hr::kInvalidArg);
}

TEST(Dispatch, RefusesIllTypedArgumentsBeforeTheyReachTheBrowser) {
    struct Case {
        QJsonObject request;
        HResult result;
        std::vector<Call> calls;
    };
    auto req = [](const char* call, QJsonValue arg) {
        return QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("call"), QLatin1String(call)}, {QStringLiteral("arg"), arg}};
    };
    const std::vector<Case> cases{
        {req("put_Visible", -1), hr::kOk, {{"put_Visible", -1}}},
        {req("put_Height", 2147483647), hr::kOk, {{"put_Height", 2147483647}}},
        {req("put_ToolBar", 1), hr::kOk, {{"put_ToolBar", 1}}},
        {req("Navigate", QStringLiteral(" x y ")), hr::kOk, {{"Navigate", 0, " x y "}}},
        {req("put_Visible", 40000), hr::kInvalidArg, {}},  // no automation boolean
        {req("put_Height", 2147483648.0), hr::kInvalidArg, {}},
        {req("put_Width", 1.5), hr::kInvalidArg, {}},
        {req("put_Width", QStringLiteral("200")), hr::kInvalidArg, {}},
        {req("put_MenuBar", true), hr::kInvalidArg, {}},
        {req("Navigate", 5), hr::kInvalidArg, {}},
        {QJsonObject{{QStringLiteral("call"), QStringLiteral("put_Width")}}, hr::kInvalidArg, {}},
        {req("Quit", 0), hr::kMemberNotFound, {}},
        {QJsonObject{}, hr::kMemberNotFound, {}},
    };
    for (const Case& c : cases) {
        testing::Journal journal;
        testing::RecordingBrowser browser(journal);
        EXPECT_EQ(protocol::dispatch(browser, c.request), c.result) << protocol::encode(c.request).toStdString();
        EXPECT_EQ(journal.calls, c.calls) << protocol::encode(c.request).toStdString();
    }
}

// The browser's end of the connection, serving a recording browser on a thread with its own event
// loop until the server finishes. With a settle limit, put_Visible leaves the target unsettled
// until the test settles it.
struct BrowserSide {
    // Takes over `descriptor`, the browser's end of a pair.
    void start(int descriptor, std::chrono::milliseconds settleLimit = 0ms) {
        thread.reset(QThread::create([this, descriptor, settleLimit] {
            QLocalSocket socket;
            if (!socket.setSocketDescriptor(descriptor)) return;
            QObject::connect(&socket, &QLocalSocket::readyRead, [&] {
                mostBuffered = std::max<qint64>(mostBuffered, socket.bytesAvailable());
            });
            testing::RecordingBrowser browser(journal);
            BrowserCallServer::Pacing pacing;
            if (settleLimit > 0ms) pacing = {[this] { return settled.load(); }, settleLimit};
            BrowserCallServer calls(&socket, browser, pacing);
            server = &calls;
            QEventLoop loop;
            QObject::connect(&calls, &BrowserCallServer::finished, &loop, [&] {
                finished = true;
                loop.quit();
            });
            loop.exec();
            server = nullptr;
        }));
        thread->start();
    }
    // The tool's end must have hung up by now.
    ~BrowserSide() {
        if (thread) thread->wait(5000);
    }
    void settle() {
        settled = true;
        BrowserCallServer* s = server;
        QMetaObject::invokeMethod(s, [s] { s->resume(); });
    }
    testing::Journal journal;
    std::atomic<bool> finished{false};
    std::atomic<bool> settled{true};
    std::atomic<qint64> mostBuffered{0};
    std::atomic<BrowserCallServer*> server{nullptr};
    std::unique_ptr<QThread> thread;
};

// Both ends of a pair, for real: what the tool keeps and what the browser inherits.
std::pair<int, int> socketPair() {
    int ends[2] = {-1, -1};
    EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0);
    return {ends[0], ends[1]};
}

TEST(BrowserCallServer, CarriesCallsAndEndsWhenReleased) {
    const auto [toolEnd, browserEnd] = socketPair();
    BrowserSide browserSide;
    browserSide.journal.answer = [](const std::string& call) { return call == "Navigate" ? hr::kInvalidArg : hr::kOk; };
    browserSide.start(browserEnd);
    {
        LocalBrowser tool(ControlChannel(toolEnd), 5s);
        EXPECT_EQ(tool.put_Visible(kVariantTrue), hr::kOk);
        EXPECT_EQ(tool.Navigate("nowhere"), hr::kInvalidArg);
        EXPECT_EQ(tool.put_ToolBar(1), hr::kOk);
    }
    ASSERT_TRUE(browserSide.thread->wait(5000));
    EXPECT_TRUE(browserSide.finished);
    EXPECT_EQ(browserSide.journal.calls,
              (std::vector<Call>{{"put_Visible", -1}, {"Navigate", 0, "nowhere"}, {"put_ToolBar", 1}}));
}

// Anything that is not a line of ours ends the connection without reaching the browser, and a
// line that never ends is not buffered past the longest a request may be.
TEST(BrowserCallServer, HangsUpOnSomethingThatIsNotARequest) {
    const std::vector<std::pair<const char*, QByteArray>> cases{
        {"a web request", "GET / HTTP/1.0\n"},
        {"a JSON array", "[{\"id\":1,\"call\":\"put_Visible\",\"arg\":-1}]\n"},
        {"binary", QByteArray("\0\xff\xfe{\n", 5)},
        {"a line that never ends", QByteArray(8 * protocol::kMaxLineBytes, '{')},
    };
    for (const auto& [what, bytes] : cases) {
        const auto [toolEnd, browserEnd] = socketPair();
        BrowserSide browserSide;
        browserSide.start(browserEnd);
        ControlChannel tool(toolEnd);
        tool.send(bytes, QDeadlineTimer(5s));
        ASSERT_TRUE(browserSide.thread->wait(10000)) << what;
        EXPECT_TRUE(browserSide.finished) << what;
        EXPECT_TRUE(browserSide.journal.calls.empty()) << what;
        EXPECT_LE(browserSide.mostBuffered, protocol::kMaxLineBytes + 1) << what;
    }
}

// The tool's raw end of a connection, to see exactly when replies arrive.
struct RawTool {
    explicit RawTool(BrowserSide& side, std::chrono::milliseconds settleLimit) {
        const auto [toolEnd, browserEnd] = socketPair();
        side.start(browserEnd, settleLimit);
        socket = std::make_unique<QLocalSocket>();
        socket->setSocketDescriptor(toolEnd);
    }
    void send(int id, const char* call, int arg) {
        socket->write(protocol::encode(QJsonObject{{"id", id}, {"call", QLatin1String(call)}, {"arg", arg}}));
        socket->flush();
    }
    // Ids of the replies that arrive within `wait`, or the first `enough` of them.
    QList<int> replies(std::chrono::milliseconds wait, qsizetype enough = 1000) {
        QList<int> ids;
        const QDeadlineTimer deadline(wait);
        while (!deadline.hasExpired() && ids.size() < enough) {
            if (!socket->canReadLine()) socket->waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
            while (socket->canReadLine()) ids << protocol::decode(socket->readLine()).value_or(QJsonObject{}).value("id").toInt();
        }
        return ids;
    }
    std::unique_ptr<QLocalSocket> socket;
};

TEST(BrowserCallServer, HoldsTheReplyToAWindowNotYetOnScreenAndTheCallsBehindIt) {
    BrowserSide side;
    side.journal.answer = [&side](const std::string& call) {
        if (call == "put_Visible") side.settled = false;
        return hr::kOk;
    };
    RawTool tool(side, 10s);
    ASSERT_TRUE(tool.socket);
    tool.send(1, "put_Visible", -1);
    tool.send(2, "put_Height", 350);
    EXPECT_TRUE(tool.replies(300ms).isEmpty());
    EXPECT_EQ(side.journal.calls, (std::vector<Call>{{"put_Visible", -1}})) << "the height waits for the window";
    side.settle();
    EXPECT_EQ(tool.replies(5s, 2), (QList<int>{1, 2}));
    EXPECT_EQ(side.journal.calls, (std::vector<Call>{{"put_Visible", -1}, {"put_Height", 350}}));
}

TEST(BrowserCallServer, AnswersAWindowThatNeverReachesTheScreenAfterItsLimitOnce) {
    BrowserSide side;
    side.journal.answer = [&side](const std::string& call) {
        if (call == "put_Visible") side.settled = false;
        return hr::kOk;
    };
    RawTool tool(side, 1500ms);
    ASSERT_TRUE(tool.socket);
    tool.send(1, "put_Visible", -1);
    tool.send(2, "put_Width", 200);
    EXPECT_TRUE(tool.replies(200ms).isEmpty());
    EXPECT_EQ(tool.replies(5s, 2), (QList<int>{1, 2}));
    // Still not on screen: showing it again does not wait a second time.
    tool.send(3, "put_Visible", -1);
    EXPECT_EQ(tool.replies(1000ms, 1), (QList<int>{3}));
}

TEST(Protocol, GreetingCarriesVersion) {
    const auto hello = protocol::parseHello(*protocol::decode(protocol::encode(protocol::helloMessage())));
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->version, protocol::kVersion);
    EXPECT_FALSE(protocol::parseHello(QJsonObject{{QStringLiteral("hello"), QStringLiteral("someone else")}}));
    EXPECT_FALSE(protocol::decode("[1,2]\n"));
    EXPECT_FALSE(protocol::decode("{\"id\":"));
}

}  // namespace
}  // namespace quillbay
