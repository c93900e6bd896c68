// Finding the system-information tool through the registry and starting it, or saying that it cannot be.
// The lookups and the decision are standard C++ (SysInfoLookup, startSysInfoTool); this is their Qt edge,
// which turns the registry's code page into Qt's text and starts the tool through the process seam.
#pragma once

#include <QString>

#include "core/about/about_behaviour.h"
#include "core/about/sys_info_lookup.h"
#include "platform/registry.h"

class QWidget;

namespace quillbay {

class FileProbe;
class Messenger;
class ProcessLauncher;

class SysInfoLauncher {
public:
    SysInfoLauncher(Registry& registry, FileProbe& files, ProcessLauncher& launcher, Messenger& messenger);

    // Starts the system-information tool, or tells the user (over `parent`) that it is unavailable.
    void StartSysInfo(QWidget* parent);

    // Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` into `KeyVal`. Returns whether it was read.
    // A missing key or value empties `KeyVal`; a value with no data at all, or of any type but string or
    // number, leaves it as it was (the first fails, the second counts as read).
    bool GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

    SysInfoLookup& lookup() { return lookup_; }
    // Starts a path in the system's code page through the process seam.
    StartProgram starter();
    Messenger& messenger() { return messenger_; }

private:
    FileProbe& files_;
    ProcessLauncher& launcher_;
    Messenger& messenger_;
    SysInfoLookup lookup_;
};

}  // namespace quillbay
