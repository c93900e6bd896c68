// Our own browser program as the automation object: one detached process per preview, driven over a
// socket pair that it inherits at start (LocalBrowser).
#pragma once

#include <QString>
#include <chrono>

#include "core/preview/open_preview.h"

namespace quillbay {

class FileProbe;
class ProcessLauncher;

struct LocalBrowserOptions {
    QString program;                                   // the browser executable
    std::chrono::milliseconds startTimeout{15000};     // from start to its greeting
    std::chrono::milliseconds callTimeout{10000};      // each call, showing the window included
    std::chrono::milliseconds pressTimeout{25000};     // the whole press: the start and every call together
};

// The browser program as installed beside the tool (libexec/quillbay), else beside the running executable.
QString defaultBrowserProgram();

class LocalBrowserFactory final : public BrowserFactory {
public:
    LocalBrowserFactory(ProcessLauncher& launcher, FileProbe& files, LocalBrowserOptions options);
    Created create() override;

private:
    ProcessLauncher& launcher_;
    FileProbe& files_;
    LocalBrowserOptions options_;
};

}  // namespace quillbay
