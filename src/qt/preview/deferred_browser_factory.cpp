#include "qt/preview/deferred_browser_factory.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include "qt/preview/library_file_check.h"
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

namespace {

BrowserFactory::Created notPrepared(const QString& why) {
    BrowserFactory::Created failed;
    failed.code = hr::kFail;
    failed.error = QStringLiteral("The preview could not be prepared: %1.").arg(why).toStdString();
    return failed;
}

}  // namespace

BrowserFactory::Created DeferredBrowserFactory::create() {
    if (!loaded_) {
        const QString shown = QDir::toNativeSeparators(modulePath_);
        // The file is judged before the system maps it: a damaged one would end the program, not the load.
        const LibraryFileCheck check = checkLibraryFile(modulePath_);
        switch (check.verdict) {
            case LibraryFileCheck::Verdict::Whole: break;
            case LibraryFileCheck::Verdict::Missing: return notPrepared(QStringLiteral("%1 is missing").arg(shown));
            case LibraryFileCheck::Verdict::Unreadable:
                return notPrepared(QStringLiteral("%1 could not be read (%2)").arg(shown, check.detail));
            case LibraryFileCheck::Verdict::Damaged:
                return notPrepared(QStringLiteral("%1 is damaged (%2)").arg(shown, check.detail));
        }
        // Never unloaded once it is in: the browsers it made hold code of its own. A failed load is tried
        // again at the next press, so a part put in place meanwhile is found.
        QLibrary part(modulePath_);
        if (!part.load())
            return notPrepared(QStringLiteral("%1 could not be loaded (%2)").arg(shown, part.errorString()));
        const auto make = reinterpret_cast<MakeLocalBrowsers>(part.resolve(kMakeLocalBrowsersSymbol));
        if (!make) {
            part.unload();
            return notPrepared(QStringLiteral("%1 is some other library, not Quillbay's preview part").arg(shown));
        }
        loaded_.reset(make(launcher_, files_, processes_));
    }
    return loaded_->create();
}

}  // namespace quillbay
