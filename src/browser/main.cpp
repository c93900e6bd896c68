// quillbay-browser: the window Quillbay's "Preview" opens. Started with --control-fd it greets the
// tool on the socket it inherited and carries out its calls; started with an address it simply shows it.
#include <QApplication>
#include <QCommandLineParser>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>

#include "browser/browser_environment.h"
#include "browser/control_descriptor.h"
#include "browser/preview_window.h"
#include "qt/preview/browser_call_server.h"
#include "qt/preview/browser_protocol.h"
#include "qt/common/information_options.h"
#include "quillbay/version.h"

namespace {
constexpr int kUnshownLifetimeMs = 60000;
// The longest the answer to "show the window" waits for the window system to put it on screen.
constexpr std::chrono::milliseconds kShowWait{3000};
// The exit status when the line to the tool cannot be used; a usage error is 1, as for every Qt program.
constexpr int kControlUnusable = 2;

int controlUnusable(const QString& why) {
    std::fprintf(stderr, "quillbay-browser: %s\n", qPrintable(why));
    return kControlUnusable;
}
}

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("quillbay-browser"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(quillbay::kVersionText));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quillbay's preview browser."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption control(QStringLiteral("control-fd"),
                                     QStringLiteral("Take calls from Quillbay over the inherited socket <n>."),
                                     QStringLiteral("n"));
    parser.addOption(control);
    parser.addPositionalArgument(QStringLiteral("address"), QStringLiteral("Address to open when not controlled."));
    quillbay::answerInformationOptions(parser, argc, argv);
    // Judged before the window system and the engine start: a wrong descriptor needs neither to be told so.
    const bool controlled = std::any_of(argv + 1, argv + argc, [](const char* argument) {
        const QByteArray given(argument);
        return given == "--control-fd" || given.startsWith("--control-fd=");
    });
    quillbay::ControlDescriptor line;
    if (controlled) {
        if (parser.value(control).isEmpty()) return controlUnusable(QStringLiteral("--control-fd: no descriptor number given"));
        line = quillbay::takeControlDescriptor(parser.value(control));
        if (!line.problem.isEmpty()) return controlUnusable(line.problem);
    }

    quillbay::prepareBrowserEnvironment();
    // WebEngine reports its GL set-up at every start; in the terminal Quillbay was started from that is noise.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Its windows belong to Quillbay: the compositor shows them with Quillbay's icon and menu entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quillbay::kAppId));
    parser.process(app);

    quillbay::PreviewWindow window;
    if (!controlled) {
        const QStringList addresses = parser.positionalArguments();
        window.resize(800, 600);  // opened by hand: room for a page rather than a popup
        window.put_Visible(quillbay::kVariantTrue);
        if (!addresses.isEmpty()) window.Navigate(addresses.first());
        return app.exec();
    }

    QLocalSocket socket;
    if (!socket.setSocketDescriptor(line.descriptor))
        return controlUnusable(QStringLiteral("--control-fd %1: %2").arg(line.descriptor).arg(socket.errorString()));
    socket.write(quillbay::protocol::encode(quillbay::protocol::helloMessage()));
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
    // A tool that never asks for the window has given up on it. (The native
    // window exists only once the window has been shown.)
    QTimer::singleShot(kUnshownLifetimeMs, &app, [&] {
        if (!window.windowHandle()) QApplication::quit();
    });
    return app.exec();
}
