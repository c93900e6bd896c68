#include "core/about/sys_info_lookup.h"

#include <array>
#include <string_view>
#include <utility>

namespace quillbay {

namespace sysinfo {

Lookup decodeValue(RegStatus status, std::uint32_t type, std::span<const std::uint8_t> buffer, std::uint32_t size,
                   std::string& KeyVal) {
    // A size past the buffer can only come from a registry that broke its promise; nothing of it is read.
    if (status != reg::kSuccess || size > buffer.size()) {
        KeyVal.clear();
        return Lookup::Absent;
    }
    if (size == 0) return Lookup::Invalid;

    // Strings are stored with their terminating zero; exactly one is dropped, and only if present.
    std::string_view kept(reinterpret_cast<const char*>(buffer.data()), size);
    if (kept.back() == '\0') kept.remove_suffix(1);
    if (type == reg::kTypeString) {
        KeyVal.assign(kept);
    } else if (type == reg::kTypeDword) {
        // The result is never a path; it is kept as written rather than turned into a number.
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string text = "&h";
        text += KeyVal;
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            const auto byte = static_cast<unsigned char>(*it);
            if (byte >= 0x10) text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
        KeyVal = std::move(text);
    }
    return Lookup::Read;
}

}  // namespace sysinfo

using sysinfo::Lookup;

SysInfoLookup::SysInfoLookup(Registry& registry, FileTest isFile) : registry_(registry), isFile_(std::move(isFile)) {}

bool SysInfoLookup::GetKeyValue(RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                                std::string& KeyVal) {
    return lookUp(KeyRoot, KeyName, SubKeyRef, KeyVal) == Lookup::Read;
}

Lookup SysInfoLookup::lookUp(RegKey KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                             std::string& KeyVal) {
    RegKey key = 0;
    if (registry_.openKey(KeyRoot, KeyName, 0, sysinfo::kAccessMask, &key) != reg::kSuccess) {
        // The empty handle is closed too; whatever the adapter left in `key` is not ours.
        registry_.closeKey(0);
        KeyVal.clear();
        return Lookup::Absent;
    }

    Lookup result = Lookup::Absent;
    try {
        std::array<std::uint8_t, sysinfo::kValueBufferSize> buffer{};
        std::uint32_t size = sysinfo::kValueBufferSize;
        std::uint32_t type = 0;
        const RegStatus status = registry_.queryValue(key, SubKeyRef, &type, buffer.data(), &size);
        result = sysinfo::decodeValue(status, type, buffer, size, KeyVal);
    } catch (...) {
        registry_.closeKey(key);
        throw;
    }
    registry_.closeKey(key);
    return result;
}

std::string SysInfoLookup::findTool() {
    std::string toolPath;
    switch (lookUp(sysinfo::kRoot, sysinfo::kPathKey, sysinfo::kPathValue, toolPath)) {
        case Lookup::Read:
            // The tool's own full path is trusted as it stands; starting it is the test.
            return toolPath;
        case Lookup::Invalid:
            return {};
        case Lookup::Absent:
            break;
    }
    if (lookUp(sysinfo::kRoot, sysinfo::kFolderKey, sysinfo::kFolderValue, toolPath) != Lookup::Read) return {};
    // The folder is taken as written: a trailing backslash gives two, which Windows accepts.
    std::string candidate = toolPath + sysinfo::kToolFile;
    return isFile_(candidate) ? candidate : std::string();
}

}  // namespace quillbay
