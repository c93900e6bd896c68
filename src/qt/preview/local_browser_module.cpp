#include "qt/preview/local_browser_module.h"

#include <QtGlobal>

#include "qt/preview/local_browser_factory.h"

extern "C" Q_DECL_EXPORT quillbay::BrowserFactory* quillbay_make_local_browsers(quillbay::ProcessLauncher& launcher,
                                                                                quillbay::FileProbe& files,
                                                                                quillbay::ProcessProbe& processes) {
    return new quillbay::LocalBrowserFactory(launcher, files, processes,
                                             quillbay::LocalBrowserOptions{quillbay::defaultBrowserProgram()});
}

// The loader calls it through this type; a signature that drifted from it fails here, not at a press.
[[maybe_unused]] static constexpr quillbay::MakeLocalBrowsers kEntry = &quillbay_make_local_browsers;
