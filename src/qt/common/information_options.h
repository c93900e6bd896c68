// --help, --help-all and --version, answered before the window system is touched: QApplication aborts
// where there is no display, and a user asking for the version has no window in mind.
#pragma once

class QCommandLineParser;

namespace quillbay {

// When the command line asks for one of them, prints what `parser` (with its help and version options
// added) has to say and ends the program; otherwise returns, and the caller judges the rest once
// QApplication has taken its own options (-platform, -style...) out.
void answerInformationOptions(QCommandLineParser& parser, int argc, char* argv[]);

}  // namespace quillbay
