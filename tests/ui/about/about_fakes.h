// A stand-in for the registry, recording what it is asked; the other seams' stand-ins are shared.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "support/platform_fakes.h"

namespace quillbay::testing {

struct FakeValue {
    std::uint32_t type = reg::kTypeString;
    QByteArray bytes;
};

inline FakeValue stringValue(const QByteArray& text) { return {reg::kTypeString, text + '\0'}; }

class FakeRegistry final : public Registry {
public:
    struct OpenCall {
        RegKey root;
        QByteArray subKey;
        std::uint32_t options;
        std::uint32_t access;
    };

    // Keys and value names are stored as the registry matches them: without regard to case.
    void setValue(const QByteArray& key, const QByteArray& name, FakeValue value) {
        keys_[key.toLower()][name.toLower()] = std::move(value);
    }
    void addKey(const QByteArray& key) { keys_[key.toLower()]; }
    void throwOnQuery() { throwOnQuery_ = true; }

    RegStatus openKey(RegKey root, const QByteArray& subKey, std::uint32_t options, std::uint32_t access,
                      RegKey* result) override {
        opens.push_back({root, subKey, options, access});
        *result = 0;
        if (root != reg::kLocalMachine || !keys_.contains(subKey.toLower())) return reg::kFileNotFound;
        const RegKey key = 100 + opens.size();
        handles_[key] = subKey.toLower();
        *result = key;
        return reg::kSuccess;
    }

    RegStatus queryValue(RegKey key, const QByteArray& valueName, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* size) override {
        queries.push_back(valueName);
        if (throwOnQuery_) throw std::runtime_error("registry failure");
        if (!handles_.contains(key)) return reg::kInvalidHandle;
        const auto& values = keys_.at(handles_.at(key));
        const auto it = values.find(valueName.toLower());
        if (it == values.end()) return reg::kFileNotFound;
        const auto length = static_cast<std::uint32_t>(it->second.bytes.size());
        *type = it->second.type;
        if (*size < length) {
            *size = length;
            return reg::kMoreData;
        }
        std::memcpy(data, it->second.bytes.constData(), length);
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
    std::vector<QByteArray> queries;
    std::vector<RegKey> closes;

private:
    std::map<QByteArray, std::map<QByteArray, FakeValue>> keys_;
    std::map<RegKey, QByteArray> handles_;
    bool throwOnQuery_ = false;
};

}  // namespace quillbay::testing
