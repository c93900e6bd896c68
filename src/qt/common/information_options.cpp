#include "qt/common/information_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace quillbay {

void answerInformationOptions(QCommandLineParser& parser, int argc, char* argv[]) {
    if (argc <= 1) return;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version")) ||
        arguments.contains(QStringLiteral("--help-all"))) {
        // Only a bare core application, which needs no display, to print and exit.
        QCoreApplication answer(argc, argv);
        parser.process(answer);
    }
}

}  // namespace quillbay
