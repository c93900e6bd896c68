#include "ui/about/sys_info_launcher.h"

#include <QByteArray>
#include <array>

#include "platform/file_probe.h"
#include "platform/messenger.h"
#include "platform/process_launcher.h"

namespace quillbay {

SysInfoLauncher::SysInfoLauncher(Registry& registry, FileProbe& files, ProcessLauncher& launcher,
                                 Messenger& messenger)
    : registry_(registry), files_(files), launcher_(launcher), messenger_(messenger) {}

void SysInfoLauncher::StartSysInfo(QWidget* parent) {
    bool started = false;
    try {
        const QString tool = findTool();
        // A zero character would cut the path short on its way to the system, starting some other program.
        started = !tool.isEmpty() && !tool.contains(QChar(u'\0')) && launcher_.startDetached(tool, {});
    } catch (...) {
        // Whatever went wrong on the way, the user hears the one message and can try again.
        started = false;
    }
    if (!started) messenger_.tell(parent, QString::fromLatin1(sysinfo::kUnavailable));
}

QString SysInfoLauncher::findTool() {
    const QString pathKey = QString::fromLatin1(sysinfo::kPathKey);
    const QString pathValue = QString::fromLatin1(sysinfo::kPathValue);
    const QString folderKey = QString::fromLatin1(sysinfo::kFolderKey);
    const QString folderValue = QString::fromLatin1(sysinfo::kFolderValue);

    QString toolPath;
    switch (lookUp(sysinfo::kRoot, pathKey, pathValue, toolPath)) {
        case Lookup::Read:
            // The tool's own full path is trusted as it stands; starting it is the test.
            return toolPath;
        case Lookup::Invalid:
            return {};
        case Lookup::Absent:
            break;
    }
    if (lookUp(sysinfo::kRoot, folderKey, folderValue, toolPath) != Lookup::Read) return {};
    // The folder is taken as written: a trailing backslash gives two, which Windows accepts.
    const QString candidate = toolPath + QString::fromLatin1(sysinfo::kToolFile);
    return files_.isFile(candidate) ? candidate : QString();
}

bool SysInfoLauncher::GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                                  QString& KeyVal) {
    return lookUp(KeyRoot, KeyName, SubKeyRef, KeyVal) == Lookup::Read;
}

SysInfoLauncher::Lookup SysInfoLauncher::lookUp(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                                                QString& KeyVal) {
    RegKey key = 0;
    Lookup result = Lookup::Absent;

    if (registry_.openKey(KeyRoot, KeyName.toLocal8Bit(), 0, sysinfo::kAccessMask, &key) != reg::kSuccess) {
        key = 0;
        KeyVal.clear();
    } else {
        std::array<std::uint8_t, sysinfo::kValueBufferSize> buffer{};
        std::uint32_t size = sysinfo::kValueBufferSize;
        std::uint32_t type = 0;
        const RegStatus status = registry_.queryValue(key, SubKeyRef.toLocal8Bit(), &type, buffer.data(), &size);
        if (status != reg::kSuccess || size > buffer.size()) {
            KeyVal.clear();
        } else if (size == 0) {
            result = Lookup::Invalid;
        } else {
            // Strings are stored with their terminating zero; exactly one is dropped, and only if present.
            QByteArray kept(reinterpret_cast<const char*>(buffer.data()), static_cast<qsizetype>(size));
            if (kept.endsWith('\0')) kept.chop(1);
            if (type == reg::kTypeString) {
                KeyVal = QString::fromLocal8Bit(kept);
            } else if (type == reg::kTypeDword) {
                // Each byte's hex digits, most significant byte first, each without leading zeros, after
                // whatever the caller's text held. The result is never a path; it is kept as written.
                QString digits;
                for (auto it = kept.crbegin(); it != kept.crend(); ++it) {
                    digits += QString::number(static_cast<unsigned char>(*it), 16).toUpper();
                }
                KeyVal = QStringLiteral("&h") + KeyVal + digits;
            }
            result = Lookup::Read;
        }
    }

    registry_.closeKey(key);
    return result;
}

}  // namespace quillbay
