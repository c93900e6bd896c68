// Finding the system-information tool through the registry and starting it, or saying that it cannot be.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/registry.h"

class QWidget;

namespace quillbay {

class FileProbe;
class Messenger;
class ProcessLauncher;

namespace sysinfo {

inline constexpr RegKey kRoot = reg::kLocalMachine;
// Read-only access: asking for more is refused to a standard user, who would then never get the tool.
inline constexpr std::uint32_t kAccessMask = reg::kKeyRead;
inline constexpr char kPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kPathValue[] = "PATH";
inline constexpr char kFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kFolderValue[] = "MSINFO";
inline constexpr char kToolFile[] = "\\MSINFO32.EXE";
inline constexpr std::uint32_t kValueBufferSize = 1024;
inline constexpr char kUnavailable[] = "System Information Is Unavailable At This Time";

}  // namespace sysinfo

class SysInfoLauncher {
public:
    SysInfoLauncher(Registry& registry, FileProbe& files, ProcessLauncher& launcher, Messenger& messenger);

    // Starts the system-information tool, or tells the user (over `parent`) that it is unavailable.
    void StartSysInfo(QWidget* parent);

    // Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` into `KeyVal`. Returns whether it was read.
    // A missing key or value empties `KeyVal`; a value with no data at all, or of any type but string or
    // number, leaves it as it was (the first fails, the second counts as read).
    bool GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    enum class Lookup {
        Read,     // the value was read
        Absent,   // the key or value is not there (or does not fit the buffer)
        Invalid,  // the value holds no data at all: nothing further should be tried
    };
    // GetKeyValue with the difference between an absent and an unusable value kept.
    Lookup lookUp(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

private:
    QString findTool();

    Registry& registry_;
    FileProbe& files_;
    ProcessLauncher& launcher_;
    Messenger& messenger_;
};

}  // namespace quillbay
