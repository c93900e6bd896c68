// Our own browser program as the automation object: one detached process per preview, driven
// over a local socket that only this user can reach.
#pragma once

#include <QString>
#include <chrono>

#include "platform/busy_indicator.h"
#include "platform/file_probe.h"
#include "platform/process_launcher.h"
#include "preview/open_preview.h"

namespace quillbay {

// Whether a process we started is still alive (a finished one that nobody reaped counts as gone).
class ProcessProbe {
public:
    virtual ~ProcessProbe() = default;
    virtual bool isRunning(qint64 pid) const = 0;
};

class SystemProcessProbe final : public ProcessProbe {
public:
    bool isRunning(qint64 pid) const override;
};

struct LocalBrowserOptions {
    QString program;                                   // the browser executable
    std::chrono::milliseconds startTimeout{15000};     // from start to its greeting
    std::chrono::milliseconds callTimeout{10000};      // each call, showing the window included
};

// The browser program beside the running executable.
QString defaultBrowserProgram();

class LocalBrowserFactory final : public BrowserFactory {
public:
    LocalBrowserFactory(ProcessLauncher& launcher, FileProbe& files, ProcessProbe& processes, LocalBrowserOptions options);
    Created create() override;

private:
    ProcessLauncher& launcher_;
    FileProbe& files_;
    ProcessProbe& processes_;
    LocalBrowserOptions options_;
};

// The real preview as the program wires it: our browser beside the executable, started for real.
class SystemPreview {
public:
    explicit SystemPreview(Messenger& messenger, LocalBrowserOptions options = {defaultBrowserProgram()})
        : browsers_(launcher_, files_, processes_, std::move(options)), service_(messenger, browsers_, &busy_) {}
    SystemPreview(const SystemPreview&) = delete;
    SystemPreview& operator=(const SystemPreview&) = delete;

    // Callable as the main window's preview service; refers to this object, which must outlive it.
    auto handler() {
        return [this](QWidget* parent, const PopupSettings& settings) { service_(parent, settings); };
    }

private:
    QtBusyIndicator busy_;
    QtProcessLauncher launcher_;
    QtFileProbe files_;
    SystemProcessProbe processes_;
    LocalBrowserFactory browsers_;
    PreviewService service_;
};

}  // namespace quillbay
