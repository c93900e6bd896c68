#include "cli/command_line.h"

#include <algorithm>

namespace quillbay::cli {

namespace {

// An argument echoed in an error stays on that error's one line, and that line stays text: a control
// character, or a byte that starts no UTF-8 with the continuation bytes after it, shows as one '?'.
std::string quoted(std::string_view argument) {
    std::string out = "'";
    const auto continues = [](char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; };
    while (!argument.empty()) {
        std::size_t length = utf8SequenceLength(argument);
        if (length == 0) {
            for (length = 1; length < argument.size() && continues(argument[length]);) ++length;
            out += '?';
        } else {
            out.append(static_cast<unsigned char>(argument[0]) < 0x20 ? "?" : argument.substr(0, length));
        }
        argument.remove_prefix(length);
    }
    return out + "'";
}

std::string_view keyOf(const FeatureInfo& info) { return info.scriptKey.substr(0, info.scriptKey.size() - 1); }

std::optional<PopupFeature> featureNamed(std::string_view key) {
    for (const FeatureInfo& info : kFeatures) {
        if (keyOf(info) == key) return info.feature;
    }
    return std::nullopt;
}

std::optional<SnippetPart> partNamed(std::string_view name) {
    for (const PartInfo& info : kParts) {
        if (info.name == name) return info.part;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string_view> featureKeys() {
    std::array<FeatureInfo, kFeatureCount> ordered = kFeatures;
    std::ranges::sort(ordered, {}, &FeatureInfo::scriptPosition);
    std::vector<std::string_view> keys;
    for (const FeatureInfo& info : ordered) keys.push_back(keyOf(info));
    return keys;
}

std::vector<std::string_view> partNames() {
    std::vector<std::string_view> names;
    for (const PartInfo& info : kParts) names.push_back(info.name);
    return names;
}

std::string alternatives(const std::vector<std::string_view>& words, std::string_view last) {
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) out += i + 1 == words.size() ? " " + std::string(last) + " " : ", ";
        out += words[i];
    }
    return out;
}

std::string_view featureKey(PopupFeature feature) { return keyOf(featureInfo(feature)); }

std::string_view optionFor(SettingsField field) {
    return std::ranges::find(kTextOptions, field, &TextOption::field)->name;
}

CommandLine parseCommandLine(std::span<const std::string> arguments) {
    CommandLine result;
    const auto fail = [&result](std::string error) {
        result.action = CommandAction::UsageError;
        result.error = std::move(error);
        return result;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-')
            return fail("unexpected argument " + quoted(argument));
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name=value" as well as "--name value", the value taken as it is even when it starts with '-'.
        std::string_view name = argument;
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
            value = std::string(name.substr(equals + 1));
            name = name.substr(0, equals);
        }
        const auto takeValue = [&]() -> bool {
            if (value) return true;
            if (i + 1 == arguments.size()) return false;
            value = arguments[++i];
            return true;
        };

        const bool flag = name == "-h" || name == "--help" || name == "-v" || name == "--version" ||
                          name == "--all-features" || name == "--json" || name == "--check";
        if (flag && value) return fail("option " + quoted(name) + " takes no value");
        if (name == "-h" || name == "--help") {
            result.action = CommandAction::Help;
            return result;
        }
        if (name == "-v" || name == "--version") {
            result.action = CommandAction::Version;
            return result;
        }
        if (name == "--all-features") {
            for (const FeatureInfo& info : kFeatures) result.settings.setFeature(info.feature, true);
        } else if (name == "--json") {
            result.json = true;
        } else if (name == "--check") {
            result.check = true;
        } else if (name == "--feature" || name == "--part" ||
                   std::ranges::find(kTextOptions, name, &TextOption::name) != kTextOptions.end()) {
            if (!takeValue()) return fail("option " + quoted(name) + " needs a value");
            if (name == "--feature") {
                const auto feature = featureNamed(*value);
                if (!feature) {
                    return fail("unknown feature " + quoted(*value) + " (" + alternatives(featureKeys()) + ")");
                }
                result.settings.setFeature(*feature, true);
            } else if (name == "--part") {
                result.part = partNamed(*value);
                if (!result.part) return fail("unknown part " + quoted(*value) + " (" + alternatives(partNames()) + ")");
            } else {
                result.settings.text(std::ranges::find(kTextOptions, name, &TextOption::name)->field) = *value;
            }
        } else {
            return fail("unknown option " + quoted(name));
        }
    }
    return result;
}

}  // namespace quillbay::cli
