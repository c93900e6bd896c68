// The browser factory the tool starts with: it loads the local browser's part at the first preview and
// hands every request on to the factory that part makes.
#pragma once

#include <QString>
#include <memory>

#include "core/preview/open_preview.h"

namespace quillbay {

class FileProbe;
class ProcessLauncher;
class ProcessProbe;

// Where the part lies, relative to the program: beside it on Windows, in ../libexec/quillbay elsewhere, as
// installed and as built.
QString previewModulePath();

class DeferredBrowserFactory final : public BrowserFactory {
public:
    DeferredBrowserFactory(QString modulePath, ProcessLauncher& launcher, FileProbe& files, ProcessProbe& processes);
    ~DeferredBrowserFactory() override;

    Created create() override;

private:
    QString modulePath_;
    ProcessLauncher& launcher_;
    FileProbe& files_;
    ProcessProbe& processes_;
    std::unique_ptr<BrowserFactory> loaded_;  // once the part is in; it stays loaded for the process's life
};

}  // namespace quillbay
