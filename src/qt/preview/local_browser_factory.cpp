#include "qt/preview/local_browser_factory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <functional>
#include <optional>

#include "platform/file_probe.h"
#include "platform/process_launcher.h"
#include "qt/preview/browser_program.h"
#include "qt/preview/browser_protocol.h"
#include "qt/preview/control_channel.h"
#include "qt/preview/local_browser.h"
#include "qt/preview/painting_wait.h"

namespace quillbay {

QString defaultBrowserProgram() { return browserProgram(QCoreApplication::applicationDirPath(), QtFileProbe()); }

LocalBrowserFactory::LocalBrowserFactory(ProcessLauncher& launcher, FileProbe& files, LocalBrowserOptions options)
    : launcher_(launcher), files_(files), options_(std::move(options)) {}

namespace {

BrowserFactory::Created failure(HResult code, const QString& error) {
    BrowserFactory::Created created;
    created.code = code;
    created.error = error.toStdString();
    return created;
}

}  // namespace

BrowserFactory::Created LocalBrowserFactory::create() {
    const QDeadlineTimer press(options_.pressTimeout);
    const QString program = QDir::toNativeSeparators(options_.program);
    if (!files_.isFile(options_.program))
        return failure(hr::kFail, QStringLiteral("The preview browser was not found. It should be here:\n%1").arg(program));

    QString problem;
    std::optional<ControlPair> pair = openControlPair(&problem);
    if (!pair)
        return failure(hr::kFail, QStringLiteral("The preview browser could not be started: Quillbay could not make its "
                                                 "connection to it (%1).")
                                      .arg(problem));
    const bool started = launcher_.startDetached(
        options_.program, {QStringLiteral("--control-fd"), QString::number(pair->browser.descriptor())});
    // The browser holds its own copy now. Ours would keep the line open after the browser ended, and its
    // end would go unnoticed until the deadline.
    pair->browser.close();
    if (!started) return failure(hr::kFail, QStringLiteral("The preview browser could not be started:\n%1").arg(program));

    // The start has a limit of its own, but never outlasts the press.
    const QDeadlineTimer startLimit(options_.startTimeout);
    const bool pressEndsFirst = press <= startLimit;
    PaintingWait wait;  // the windows keep painting while the browser starts
    HResult code = hr::kFail;
    const std::optional<QByteArray> line = pair->tool.readLine(pressEndsFirst ? press : startLimit, &code, std::ref(wait));
    if (!line) {
        if (code == hr::kTimeout && pressEndsFirst) return failure(hr::kOutOfTime, {});  // the preview's own words
        if (code == hr::kTimeout) {
            const long long seconds = (options_.startTimeout.count() + 999) / 1000;
            return failure(hr::kTimeout, QStringLiteral("The preview browser did not start within %1 second%2.")
                                             .arg(seconds)
                                             .arg(seconds == 1 ? QString() : QStringLiteral("s")));
        }
        if (code == hr::kUnexpected)
            return failure(code, QStringLiteral("The preview browser at %1 sent a line of over %2 MB instead of its greeting.")
                                     .arg(program)
                                     .arg(protocol::kMaxLineBytes >> 20));
        return failure(hr::kDisconnected, QStringLiteral("The preview browser stopped before it was ready."));
    }
    const std::optional<QJsonObject> message = protocol::decode(*line);
    const std::optional<protocol::Hello> hello = message ? protocol::parseHello(*message) : std::nullopt;
    if (!hello || hello->version != protocol::kVersion)
        return failure(hr::kUnexpected,
                       QStringLiteral("The preview browser at %1 does not match this version of Quillbay.").arg(program));

    Created created;
    created.browser = std::make_unique<LocalBrowser>(std::move(pair->tool), options_.callTimeout, press);
    return created;
}

}  // namespace quillbay
