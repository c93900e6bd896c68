// Where the preview browser program is.
#pragma once

#include <QString>

#include "platform/file_probe.h"

namespace quillbay {

// Installed, the browser lives in the private program folder (libexec/quillbay) next to the bin folder
// that holds the tool; run from the build folder, or installed beside the tool, it sits next to the tool.
// When neither exists the answer is the place beside the tool, so that the message about the missing
// browser names a folder the user can see.
QString browserProgram(const QString& applicationDir, const FileProbe& files);

}  // namespace quillbay
