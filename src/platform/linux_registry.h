// Linux has no registry. This read-only view answers the one lookup that has a meaning here: where the
// desktop's system-information program is. Under HKEY_LOCAL_MACHINE the key
// "SOFTWARE\Microsoft\Shared Tools\MSINFO" exists and its value "PATH" (a string) holds the full path of the
// first of hardinfo2, hardinfo, kinfocenter and gnome-system-monitor found on the search path, when there is
// one. Nothing else exists. Names match without regard to case, as Windows matches them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <set>
#include <string>

#include "platform/registry.h"

namespace quillbay {

class LinuxRegistry final : public Registry {
public:
    // Searches the absolute directories of $PATH as it is at each lookup.
    LinuxRegistry() = default;
    // Searches these directories, in order, skipping any that is not absolute (tests pass their own).
    explicit LinuxRegistry(QStringList searchPath);

    // The programs looked for, in order of preference.
    static const QStringList& systemInfoPrograms();

    // Full path of the first system-information program found, or empty.
    QString systemInfoProgram() const;

    RegStatus openKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      RegKey* result) override;
    RegStatus queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override;
    RegStatus closeKey(RegKey key) override;

private:
    QStringList searchPath() const;

    std::optional<QStringList> searchPath_;
    std::set<RegKey> open_;
    RegKey nextKey_ = 1;
};

}  // namespace quillbay
