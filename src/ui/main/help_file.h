// The program's help file, registered at load and opened on F1.
#pragma once

#include <QString>

namespace quillbay {

// "help.chm" in `programFolder`, with native separators.
QString helpFilePath(const QString& programFolder);

}  // namespace quillbay
