// The yardstick for the preview: the least a QtWebEngine window can be. Started the way the tool
// starts its browser (detached, same engine switches), it says "shown" on <socket> once its
// window is on screen, then loads <address>.
#include <QApplication>
#include <QLocalSocket>
#include <QWebEngineView>
#include <QWindow>

#include "browser/browser_environment.h"

int main(int argc, char* argv[]) {
    quillbay::prepareBrowserEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) return 2;

    QWebEngineView view;
    view.resize(200, 350);
    view.show();
    while (!view.windowHandle()->isExposed()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    QLocalSocket socket;
    socket.connectToServer(args[1]);
    if (!socket.waitForConnected(5000)) return 2;
    socket.write("shown\n");
    socket.flush();
    view.load(QUrl::fromUserInput(args[2]));
    return app.exec();
}
