// Reading values from the system registry, in the shape of the three advapi32 calls the program uses
// (RegOpenKeyExA, RegQueryValueExA, RegCloseKey), so callers keep their exact call order and arguments
// and tests can watch them. Names cross as bytes in the system's code page. Standard C++ only: the
// Windows build of this layer has no Qt.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quillbay {

using RegKey = std::uintptr_t;    // an open key or one of the predefined roots; 0 is "no key"
using RegStatus = std::int32_t;   // 0 on success, otherwise a system error code

namespace reg {

inline constexpr RegKey kLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE

// Access rights.
inline constexpr std::uint32_t kSetValue = 0x0002;
inline constexpr std::uint32_t kWow64Key64 = 0x0100;
inline constexpr std::uint32_t kWow64Key32 = 0x0200;
// KEY_READ: read control, query value, enumerate sub-keys and notify.
inline constexpr std::uint32_t kKeyRead = 0x20019;

// Value types.
inline constexpr std::uint32_t kTypeString = 1;  // REG_SZ
inline constexpr std::uint32_t kTypeDword = 4;   // REG_DWORD

// Status codes.
inline constexpr RegStatus kSuccess = 0;
inline constexpr RegStatus kFileNotFound = 2;
inline constexpr RegStatus kAccessDenied = 5;
inline constexpr RegStatus kInvalidHandle = 6;
inline constexpr RegStatus kInvalidParameter = 87;
inline constexpr RegStatus kMoreData = 234;

}  // namespace reg

class Registry {
public:
    virtual ~Registry() = default;

    // Opens `subKey` under `root`. On success `*result` receives the key; on failure it is set to 0.
    virtual RegStatus openKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                              RegKey* result) = 0;

    // Reads the value `valueName` of `key`. `*size` holds the buffer's capacity on entry and the data's
    // length on return; when the data does not fit, nothing is copied, `*size` receives the length
    // needed and the status is reg::kMoreData. `type` and `data` may be null.
    virtual RegStatus queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) = 0;

    virtual RegStatus closeKey(RegKey key) = 0;
};

// The registry of the system the program runs on (the real one on Windows, a read-only view elsewhere).
std::unique_ptr<Registry> makeSystemRegistry();

}  // namespace quillbay
