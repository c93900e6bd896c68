#include "platform/process_launcher.h"

#include <QProcess>

namespace quillbay {

bool QtProcessLauncher::startDetached(const QString& program, const QStringList& arguments, qint64* pid) {
    if (program.isEmpty()) return false;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached(pid);
}

}  // namespace quillbay
