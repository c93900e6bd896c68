#include "qt/preview/deferred_browser_factory.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include "qt/preview/local_browser_module.h"

namespace quillbay {

QString previewModulePath() {
#if defined(Q_OS_WIN)
    const QString name = QStringLiteral("quillbay-preview.dll");
#else
    const QString name = QStringLiteral("quillbay-preview.so");
#endif
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return QDir::cleanPath(programFolder.filePath(QStringLiteral(QUILLBAY_MODULE_DIR_FROM_BINDIR "/") + name));
}

DeferredBrowserFactory::DeferredBrowserFactory(QString modulePath, ProcessLauncher& launcher, FileProbe& files,
                                               ProcessProbe& processes)
    : modulePath_(std::move(modulePath)), launcher_(launcher), files_(files), processes_(processes) {}

DeferredBrowserFactory::~DeferredBrowserFactory() = default;

BrowserFactory::Created DeferredBrowserFactory::create() {
    if (!loaded_) {
        // Never unloaded: the browsers it made hold code of its own. A failed load is tried again at the
        // next press, so a part put in place meanwhile is found.
        QLibrary part(modulePath_);
        const auto make = reinterpret_cast<MakeLocalBrowsers>(part.resolve(kMakeLocalBrowsersSymbol));
        if (!make) {
            Created failed;
            failed.code = hr::kFail;
            failed.error = QStringLiteral("The preview could not be prepared: %1 is missing or damaged (%2).")
                               .arg(QDir::toNativeSeparators(modulePath_), part.errorString())
                               .toStdString();
            return failed;
        }
        loaded_.reset(make(launcher_, files_, processes_));
    }
    return loaded_->create();
}

}  // namespace quillbay
