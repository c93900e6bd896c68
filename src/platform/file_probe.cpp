#include "platform/file_probe.h"

#include <QFileInfo>

namespace quillbay {

bool QtFileProbe::isFile(const QString& path) const {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

}  // namespace quillbay
