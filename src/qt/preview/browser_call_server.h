// The browser's end of the channel to the tool (see browser_protocol.h for the messages).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <chrono>
#include <functional>

#include "core/preview/web_browser.h"

class QLocalSocket;
class QTimer;

namespace quillbay {

// The browser's end: answers requests arriving on `socket` from `target`, one at a time, in order.
class BrowserCallServer final : public QObject {
    Q_OBJECT
public:
    // A target whose calls take effect after they return (a window shown is on screen only once
    // the window system says so). A call that leaves `settled` false has its reply held back, and
    // every request behind it waits, until resume() finds it true or `limit` has passed.
    struct Pacing {
        std::function<bool()> settled;
        std::chrono::milliseconds limit{0};
    };

    BrowserCallServer(QLocalSocket* socket, WebBrowser& target, QObject* parent = nullptr);
    BrowserCallServer(QLocalSocket* socket, WebBrowser& target, Pacing pacing, QObject* parent = nullptr);

    // Sends a held reply if the target has settled; safe to call from inside any event handler.
    void resume();

signals:
    void finished();  // the tool released the browser, or sent something that is not ours

private:
    void serve();
    bool settled() const;
    void sendHeld();
    void hangUp();

    QPointer<QLocalSocket> socket_;
    WebBrowser& target_;
    Pacing pacing_;
    QTimer* holdLimit_ = nullptr;
    QByteArray heldReply_;  // empty when nothing is held
    bool serving_ = false;
};

}  // namespace quillbay
