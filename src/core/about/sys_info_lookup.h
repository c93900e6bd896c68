// Where the system-information tool is, read from the registry: the lookups the About window's launcher
// makes, in standard C++ so that the same code runs against advapi32 on Windows without Qt. Text here is
// bytes in the system's code page; the caller converts at its own edge.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "platform/registry.h"

namespace quillbay {

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

enum class Lookup {
    Read,     // the value was read
    Absent,   // the key or value is not there (or does not fit the buffer)
    Invalid,  // the value holds no data at all: nothing further should be tried
};

// What one answered query leaves in `KeyVal`. `status` and `type` are as the registry gave them, `buffer`
// is the whole value buffer and `size` the length the registry reported. Absent empties `KeyVal`; Invalid
// leaves it as it was; Read sets it by the type: a string is the bytes less one terminating zero, a number
// appends each byte's upper-case hex digits (last byte first, no leading zeros) to the text on entry and
// puts "&h" in front, and any other type leaves it as it was.
Lookup decodeValue(RegStatus status, std::uint32_t type, std::span<const std::uint8_t> buffer, std::uint32_t size,
                   std::string& KeyVal);

}  // namespace sysinfo

class SysInfoLookup {
public:
    // Whether a plain file exists at a path.
    using FileTest = std::function<bool(const std::string& path)>;

    SysInfoLookup(Registry& registry, FileTest isFile);

    // Reads value `SubKeyRef` of key `KeyName` under `KeyRoot` into `KeyVal`. Returns whether it was read.
    bool GetKeyValue(RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal);

    // GetKeyValue with the difference between an absent and an unusable value kept.
    sysinfo::Lookup lookUp(RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal);

    // The path to start, as the registry gives it, or empty when the tool cannot be found. Every key
    // opened is closed again, also when the registry throws.
    std::string findTool();

private:
    Registry& registry_;
    FileTest isFile_;
};

}  // namespace quillbay
