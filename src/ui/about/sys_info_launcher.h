// Finding the system-information tool through the registry and starting it, or saying that it cannot be.
// The lookups themselves are standard C++ (SysInfoLookup); this is their Qt edge.
#pragma once

#include <QString>

#include "platform/registry.h"
#include "sysinfo/sys_info_lookup.h"

class QWidget;

namespace quillbay {

class FileProbe;
class Messenger;
class ProcessLauncher;

namespace sysinfo {
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

private:
    FileProbe& files_;
    ProcessLauncher& launcher_;
    Messenger& messenger_;
    SysInfoLookup lookup_;
};

}  // namespace quillbay
