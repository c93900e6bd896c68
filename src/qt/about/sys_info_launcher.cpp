#include "qt/about/sys_info_launcher.h"

#include <QByteArray>
#include <string>

#include "platform/file_probe.h"
#include "platform/messenger.h"
#include "platform/process_launcher.h"

namespace quillbay {

namespace {

// The registry's text is in the system's code page, which is what Qt calls the local 8-bit encoding.
std::string toSystem(const QString& text) { return text.toLocal8Bit().toStdString(); }
QString fromSystem(const std::string& bytes) { return QString::fromLocal8Bit(QByteArray::fromStdString(bytes)); }

}  // namespace

SysInfoLauncher::SysInfoLauncher(Registry& registry, FileProbe& files, ProcessLauncher& launcher,
                                 Messenger& messenger)
    : files_(files),
      launcher_(launcher),
      messenger_(messenger),
      lookup_(registry, [this](const std::string& path) { return files_.isFile(fromSystem(path)); }) {}

StartProgram SysInfoLauncher::starter() {
    return [this](const std::string& program) { return launcher_.startDetached(fromSystem(program), {}); };
}

void SysInfoLauncher::StartSysInfo(QWidget* parent) {
    if (!startSysInfoTool(lookup_, starter())) messenger_.tell(parent, QString::fromLatin1(about::kUnavailable));
}

bool SysInfoLauncher::GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                                  QString& KeyVal) {
    const std::string entry = toSystem(KeyVal);
    std::string value = entry;
    const bool read = lookup_.GetKeyValue(KeyRoot, toSystem(KeyName), toSystem(SubKeyRef), value);
    // Text the lookup left alone stays exactly as the caller gave it, even where the code page cannot hold it.
    if (value != entry) KeyVal = fromSystem(value);
    return read;
}

}  // namespace quillbay
