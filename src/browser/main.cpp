// quillbay-browser: the window Quillbay's "Preview" opens. Started with --control it connects to
// the tool, greets it and carries out its calls; started with an address it simply shows it.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QTimer>
#include <QWindow>

#include "browser/browser_environment.h"
#include "browser/preview_window.h"
#include "qt/preview/browser_call_server.h"
#include "qt/preview/browser_protocol.h"
#include "qt/common/information_options.h"
#include "quillbay/version.h"

namespace {
constexpr int kUnshownLifetimeMs = 60000;
// The longest the answer to "show the window" waits for the window system to put it on screen.
constexpr std::chrono::milliseconds kShowWait{3000};
}

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("quillbay-browser"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(quillbay::kVersionText));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillbay's preview browser."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption control(QStringLiteral("control"),
                                     QStringLiteral("Take calls from Quillbay over the local socket <name>."),
                                     QStringLiteral("name"));
    parser.addOption(control);
    parser.addPositionalArgument(QStringLiteral("address"), QStringLiteral("Address to open when not controlled."));
    quillbay::answerInformationOptions(parser, argc, argv);

    quillbay::prepareBrowserEnvironment();
    // WebEngine reports its GL set-up at every start; in the terminal Quillbay was started from that is noise.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Its windows belong to Quillbay: the compositor shows them with Quillbay's icon and menu entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quillbay::kAppId));
    parser.process(app);

    quillbay::PreviewWindow window;
    if (!parser.isSet(control)) {
        const QStringList addresses = parser.positionalArguments();
        window.resize(800, 600);  // opened by hand: room for a page rather than a popup
        window.put_Visible(quillbay::kVariantTrue);
        if (!addresses.isEmpty()) window.Navigate(addresses.first());
        return app.exec();
    }

    QLocalSocket socket;
    socket.connectToServer(parser.value(control));
    if (!socket.waitForConnected(5000)) return 2;  // the tool gave up on us already
    socket.write(quillbay::protocol::encode(quillbay::protocol::helloMessage(QApplication::applicationPid())));
    socket.flush();

    // The tool's next step should meet a window on screen: the answer to showing it waits for that.
    quillbay::BrowserCallServer server(&socket, window, {[&window] { return window.isSettled(); }, kShowWait});
    QObject::connect(&window, &quillbay::PreviewWindow::settled, &server, &quillbay::BrowserCallServer::resume);
    // Released: the window lives on for the user. Released before it was ever shown: nobody
    // will see it, so there is nothing to stay for.
    QObject::connect(&server, &quillbay::BrowserCallServer::finished, &app, [&] {
        socket.abort();
        if (!window.isVisible()) QApplication::quit();
    });
    // A tool that connects and then never asks for the window has given up on it. (The native
    // window exists only once the window has been shown.)
    QTimer::singleShot(kUnshownLifetimeMs, &app, [&] {
        if (!window.windowHandle()) QApplication::quit();
    });
    return app.exec();
}
