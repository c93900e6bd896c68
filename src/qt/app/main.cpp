// Quillbay: fill in a popup window's properties, generate the script that opens it, preview it.
// The one place where the real platform adapters are made and handed to the windows.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "qt/common/information_options.h"
#include "platform/busy_indicator.h"
#include "platform/document_opener.h"
#include "platform/file_probe.h"
#include "platform/help_opener.h"
#include "platform/messenger.h"
#include "platform/process_launcher.h"
#include "platform/registry.h"
#include "platform/window_mover.h"
#include "qt/preview/browser_program.h"
#include "qt/preview/local_browser_factory.h"
#include "core/preview/open_preview.h"
#include "quillbay/version.h"
#include "qt/about/about_window.h"
#include "qt/common/design.h"
#include "qt/main_window/artwork.h"
#include "qt/main_window/main_form.h"

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QString::fromLatin1(quillbay::kAppTitle));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(quillbay::kVersionText));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fill in a browser popup's properties, generate the script that opens it, preview it."));
    parser.addHelpOption();
    parser.addVersionOption();
    quillbay::answerInformationOptions(parser, argc, argv);

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(quillbay::kAppId));
    QApplication::setWindowIcon(quillbay::globeIcon());
    quillbay::design::useDefaultFontForWindows();
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: Unexpected argument '%s'.\n", quillbay::kAppTitle,
                     qPrintable(parser.positionalArguments().constFirst()));
        return 1;
    }

    quillbay::QtMessenger messenger;
    quillbay::QtWindowMover mover(quillbay::QtWindowMover::wayFor(QGuiApplication::platformName()));
    quillbay::QtFileProbe files;
    quillbay::QtDocumentOpener desktop;
    quillbay::QtProcessLauncher launcher;
    quillbay::HelpOpener documents(desktop, launcher,
                                   quillbay::browserProgram(QCoreApplication::applicationDirPath(), files));
    quillbay::QtBusyIndicator busy;
    const std::unique_ptr<quillbay::Registry> registry = quillbay::makeSystemRegistry();

    // quillbay-browser beside this program (installed, in libexec/quillbay), one per press.
    quillbay::LocalBrowserFactory browsers(launcher, files, quillbay::LocalBrowserOptions{quillbay::defaultBrowserProgram()});
    const quillbay::PreviewService preview(browsers, &busy);
    quillbay::AboutWindow about(*registry, files, launcher, messenger);

    quillbay::MainFormServices services;
    services.messenger = &messenger;
    services.mover = &mover;
    services.files = &files;
    services.documents = &documents;
    services.preview = [&preview, &messenger](QWidget* parent, const quillbay::PopupSettings& settings) {
        preview(settings, [&](const std::string& text) { messenger.tell(parent, QString::fromStdString(text)); });
    };
    services.showAbout = [&about](QWidget* owner) { about.Show(owner); };
    services.exit = [&about] {
        about.Unload();
        QApplication::quit();
    };

    quillbay::mainForm form(std::move(services));
    about.setHelp([&form] { form.openHelp(); });
    form.show();
    return app.exec();
}
