// How long "Preview" holds the tool's user-interface thread, and how soon its window shows,
// against the bare start of a QtWebEngine window measured the same way in the same run.
// Needs a display: xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/preview_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <QWidget>
#include <algorithm>
#include <csignal>
#include <cstdio>

#include "platform/messenger.h"
#include "platform/file_probe.h"
#include "platform/process_launcher.h"
#include "platform/process_probe.h"
#include "qt/preview/local_browser_factory.h"

namespace {

using namespace quillbay;

QString binary(const char* name) { return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name)); }

void endProcess(qint64 pid) {
    if (pid <= 0) return;
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    SystemProcessProbe probe;
    for (int i = 0; i < 250 && probe.isRunning(pid); ++i) QThread::msleep(20);
    if (probe.isRunning(pid)) ::kill(static_cast<pid_t>(pid), SIGKILL);
}

QString pageAddress() {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("popup.html"));
    QFile page(path);
    if (page.open(QIODevice::WriteOnly)) page.write("<html><head><title>Bench</title></head><body>popup</body></html>");
    return path;
}

class SilentMessenger final : public Messenger {
public:
    void tell(QWidget*, const QString& text) override { std::fprintf(stderr, "preview failed: %s\n", qPrintable(text)); }
};

class PidLauncher final : public ProcessLauncher {
public:
    bool startDetached(const QString& program, const QStringList& arguments, qint64* pid) override {
        const bool ok = real.startDetached(program, arguments, &last);
        if (pid) *pid = last;
        return ok;
    }
    QtProcessLauncher real;
    qint64 last = 0;
};

// Notes when the browser reports its window shown (put_Visible returns after it is exposed).
class TimedBrowser final : public WebBrowser {
public:
    TimedBrowser(std::unique_ptr<WebBrowser> inner, const QElapsedTimer& clock, qint64& shownAt)
        : inner_(std::move(inner)), clock_(clock), shownAt_(shownAt) {}
    HResult put_Visible(VariantBool v) override {
        const HResult r = inner_->put_Visible(v);
        shownAt_ = clock_.nsecsElapsed();
        return r;
    }
    HResult Navigate(const std::string& url) override { return inner_->Navigate(url); }
    HResult put_Height(std::int32_t v) override { return inner_->put_Height(v); }
    HResult put_Width(std::int32_t v) override { return inner_->put_Width(v); }
    HResult put_AddressBar(VariantBool v) override { return inner_->put_AddressBar(v); }
    HResult put_StatusBar(VariantBool v) override { return inner_->put_StatusBar(v); }
    HResult put_ToolBar(std::int32_t v) override { return inner_->put_ToolBar(v); }
    HResult put_MenuBar(VariantBool v) override { return inner_->put_MenuBar(v); }
    HResult put_Resizable(VariantBool v) override { return inner_->put_Resizable(v); }

private:
    std::unique_ptr<WebBrowser> inner_;
    const QElapsedTimer& clock_;
    qint64& shownAt_;
};

class TimedFactory final : public BrowserFactory {
public:
    TimedFactory(BrowserFactory& inner, const QElapsedTimer& clock, qint64& shownAt)
        : inner_(inner), clock_(clock), shownAt_(shownAt) {}
    Created create() override {
        Created c = inner_.create();
        if (c.browser) c.browser = std::make_unique<TimedBrowser>(std::move(c.browser), clock_, shownAt_);
        return c;
    }

private:
    BrowserFactory& inner_;
    const QElapsedTimer& clock_;
    qint64& shownAt_;
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Start to "shown" of a bare QtWebEngine window; returns milliseconds, or a negative number.
double bareStartOnce() {
    QLocalServer server;
    server.listen(QStringLiteral("quillbay-bench-") + QUuid::createUuid().toString(QUuid::Id128));
    QElapsedTimer clock;
    clock.start();
    qint64 pid = 0;
    QtProcessLauncher launcher;
    if (!launcher.startDetached(binary("bare_webengine_window"), {server.fullServerName(), pageAddress()}, &pid))
        return -1;
    double ms = -1;
    if (server.waitForNewConnection(30000)) {
        QLocalSocket* s = server.nextPendingConnection();
        while (!s->canReadLine() && s->waitForReadyRead(30000)) {
        }
        if (s->canReadLine()) ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
    endProcess(pid);
    return ms;
}

struct PressTimes {
    double blocked = -1;
    double shown = -1;
};

PressTimes previewPressOnce(QWidget& mainWindow) {
    SilentMessenger messenger;
    PidLauncher launcher;
    QtFileProbe files;
    LocalBrowserFactory browsers(launcher, files, LocalBrowserOptions{binary("quillbay-browser")});
    QElapsedTimer clock;
    qint64 shownAt = -1;
    TimedFactory timed(browsers, clock, shownAt);
    const PreviewService press(timed);
    PopupSettings settings = startupSettings();
    settings.url = pageAddress().toStdString();

    clock.start();
    press(settings, [&](const std::string& text) { messenger.tell(&mainWindow, QString::fromStdString(text)); });
    PressTimes t;
    t.blocked = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (shownAt >= 0) t.shown = static_cast<double>(shownAt) / 1e6;
    endProcess(launcher.last);
    return t;
}

QWidget* mainWindow = nullptr;
std::vector<double> ratios;

// Each iteration starts a bare window and then presses Preview, so that whatever else the
// machine is doing weighs on both alike; the ratio is taken pair by pair.
void BM_PreviewPressAgainstBareWindow(benchmark::State& state) {
    std::vector<double> bare, blocked, shown;
    for (auto _ : state) {
        const double bareMs = bareStartOnce();
        const PressTimes t = previewPressOnce(*mainWindow);
        if (bareMs < 0 || t.shown < 0) {
            state.SkipWithError(bareMs < 0 ? "the bare window did not show" : "the preview did not show");
            return;
        }
        bare.push_back(bareMs);
        blocked.push_back(t.blocked);
        shown.push_back(t.shown);
        ratios.push_back(t.blocked / bareMs);
        state.SetIterationTime(t.blocked / 1e3);
    }
    state.counters["bare_shown_ms"] = median(bare);
    state.counters["press_shown_ms"] = median(shown);
    state.counters["press_blocked_ms"] = median(blocked);
    state.counters["blocked_vs_bare"] = median(ratios);
}
BENCHMARK(BM_PreviewPressAgainstBareWindow)->UseManualTime()->Iterations(11)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(483, 506);
    window.show();
    mainWindow = &window;
    // One start of each first, so that neither side pays for a cold disk cache.
    bareStartOnce();
    previewPressOnce(window);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!ratios.empty())
        std::printf("Preview press blocks the tool %.2fx as long as a bare QtWebEngine window takes to show "
                    "(median of %zu pairs; target <= 1.20)\n",
                    median(ratios), ratios.size());
    return 0;
}
