// What GetKeyValue makes of whatever a registry answers: any status, type, reported size and bytes, and
// any text in KeyVal on entry. No crash, no read past the buffer, and KeyVal exactly as promised.
//
// Input: [0] status (0 success, 1 more data, 2 not found, else that byte as a code), [1..4] type and
// [5..8] reported size (little-endian), [9] length L of the entry text, then L bytes of entry text; the
// rest is the value buffer, exactly as long as what is left.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "core/about/sys_info_lookup.h"

namespace {

using quillbay::sysinfo::Lookup;

#define CHECK(condition)                                                               \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "registry_value_fuzz: %s failed (line %d)\n", #condition, __LINE__); \
            std::abort();                                                              \
        }                                                                              \
    } while (false)

std::uint32_t readLittleEndian(const std::uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

quillbay::RegStatus statusFrom(std::uint8_t selector) {
    switch (selector) {
        case 0: return quillbay::reg::kSuccess;
        case 1: return quillbay::reg::kMoreData;
        case 2: return quillbay::reg::kFileNotFound;
        default: return selector;
    }
}

// The number's text as printf writes it: each byte in upper-case hex without leading zeros, last byte first.
std::string hexDigits(std::string_view bytes) {
    std::string digits;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        char one[3];
        std::snprintf(one, sizeof one, "%X", static_cast<unsigned>(static_cast<unsigned char>(*it)));
        digits += one;
    }
    return digits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) return 0;
    const quillbay::RegStatus status = statusFrom(data[0]);
    const std::uint32_t type = readLittleEndian(data + 1);
    const std::uint32_t reported = readLittleEndian(data + 5);
    const std::size_t entryLength = data[9];
    if (size < 10 + entryLength) return 0;
    const std::string entry(reinterpret_cast<const char*>(data + 10), entryLength);
    // A buffer of its own, exactly as long as the input left, so that reading past it is caught.
    const std::vector<std::uint8_t> buffer(data + 10 + entryLength, data + size);

    std::string keyVal = entry;
    const Lookup result = quillbay::sysinfo::decodeValue(status, type, std::span(buffer), reported, keyVal);

    if (status != quillbay::reg::kSuccess || reported > buffer.size()) {
        CHECK(result == Lookup::Absent);
        CHECK(keyVal.empty());
        return 0;
    }
    if (reported == 0) {
        CHECK(result == Lookup::Invalid);
        CHECK(keyVal == entry);
        return 0;
    }
    CHECK(result == Lookup::Read);
    std::string_view kept(reinterpret_cast<const char*>(buffer.data()), reported);
    if (kept.back() == '\0') kept.remove_suffix(1);
    if (type == quillbay::reg::kTypeString) {
        CHECK(keyVal == kept);
    } else if (type == quillbay::reg::kTypeDword) {
        CHECK(keyVal == "&h" + entry + hexDigits(kept));
    } else {
        CHECK(keyVal == entry);
    }
    return 0;
}
