// A stand-in for the registry, recording what it is asked.
#pragma once

#include <cctype>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace quillbay::testing {

struct FakeValue {
    std::uint32_t type = reg::kTypeString;
    std::string bytes;
};

inline FakeValue stringValue(const std::string& text) { return {reg::kTypeString, text + '\0'}; }

class FakeRegistry final : public Registry {
public:
    struct OpenCall {
        RegKey root;
        std::string subKey;
        std::uint32_t options;
        std::uint32_t access;
    };

    // Keys and value names are stored as the registry matches them: without regard to case.
    void setValue(const std::string& key, const std::string& name, FakeValue value) {
        keys_[lower(key)][lower(name)] = std::move(value);
    }
    void addKey(const std::string& key) { keys_[lower(key)]; }
    void throwOnQuery() { throwOnQuery_ = true; }

    RegStatus openKey(RegKey root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
                      RegKey* result) override {
        opens.push_back({root, subKey, options, access});
        *result = 0;
        if (root != reg::kLocalMachine || !keys_.contains(lower(subKey))) return reg::kFileNotFound;
        const RegKey key = 100 + opens.size();
        handles_[key] = lower(subKey);
        *result = key;
        return reg::kSuccess;
    }

    RegStatus queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override {
        queries.push_back(valueName);
        if (throwOnQuery_) throw std::runtime_error("registry failure");
        if (!handles_.contains(key)) return reg::kInvalidHandle;
        const auto& values = keys_.at(handles_.at(key));
        const auto it = values.find(lower(valueName));
        if (it == values.end()) return reg::kFileNotFound;
        const auto length = static_cast<std::uint32_t>(it->second.bytes.size());
        *type = it->second.type;
        if (*size < length) {
            *size = length;
            return reg::kMoreData;
        }
        std::memcpy(data, it->second.bytes.data(), length);
        *size = length;
        return reg::kSuccess;
    }

    RegStatus closeKey(RegKey key) override {
        closes.push_back(key);
        return handles_.erase(key) ? reg::kSuccess : reg::kInvalidHandle;
    }

    // Keys opened and not yet closed.
    std::size_t openKeys() const { return handles_.size(); }

    std::vector<OpenCall> opens;
    std::vector<std::string> queries;
    std::vector<RegKey> closes;

private:
    // ASCII case folding, as the names used here need.
    static std::string lower(std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    std::map<std::string, std::map<std::string, FakeValue>> keys_;
    std::map<RegKey, std::string> handles_;
    bool throwOnQuery_ = false;
};

}  // namespace quillbay::testing
