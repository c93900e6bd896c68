// The Windows registry through advapi32; built on Windows only.
#include <windows.h>

#include "platform/registry.h"

namespace quillbay {

namespace {

// Predefined roots travel as their 32-bit codes; on 64-bit Windows their handles are those codes
// sign-extended, so they cannot simply be cast back.
HKEY toHkey(RegKey key) {
    if (key >= 0x80000000u && key <= 0x80000006u) {
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(key))));
    }
    return reinterpret_cast<HKEY>(key);
}

// The system reads a name only up to its first zero byte, and would answer for a different name.
bool cutShort(const std::string& name) { return name.find('\0') != std::string::npos; }

class WinRegistry final : public Registry {
public:
    RegStatus openKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      RegKey* result) override {
        if (cutShort(subKey)) {
            if (result) *result = 0;
            return ERROR_FILE_NOT_FOUND;
        }
        HKEY opened = nullptr;
        const LONG status = RegOpenKeyExA(toHkey(root), subKey.c_str(), options, access, &opened);
        if (result) *result = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(opened) : 0;
        return status;
    }

    RegStatus queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override {
        if (cutShort(valueName)) return ERROR_FILE_NOT_FOUND;
        DWORD valueType = 0;
        DWORD length = size ? *size : 0;
        const LONG status = RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, &valueType,
                                             reinterpret_cast<LPBYTE>(data), size ? &length : nullptr);
        if (type) *type = valueType;
        if (size) *size = length;
        return status;
    }

    RegStatus closeKey(RegKey key) override { return RegCloseKey(toHkey(key)); }
};

}  // namespace

std::unique_ptr<Registry> makeSystemRegistry() { return std::make_unique<WinRegistry>(); }

}  // namespace quillbay
