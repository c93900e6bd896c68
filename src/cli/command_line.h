// quillbay-generate's arguments: which settings, which output, and the answers that need no settings.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/snippet_output.h"
#include "core/generator/popup_script.h"

namespace quillbay::cli {

struct TextOption {
    std::string_view name;
    std::string_view valueName;  // as the help shows it
    SettingsField field;
    std::string_view help;
};

inline constexpr std::array<TextOption, 5> kTextOptions{{
    {"--function", "NAME", SettingsField::FunctionName, "the script function that opens the popup"},
    {"--url", "URL", SettingsField::Url, "the address the popup opens"},
    {"--window-name", "NAME", SettingsField::WindowName, "the popup window's name"},
    {"--width", "W", SettingsField::Width, "the popup's width"},
    {"--height", "H", SettingsField::Height, "the popup's height"},
}};

std::string_view optionFor(SettingsField field);

// The keys --feature takes, in the order the generated feature list names them, and the words --part takes.
std::vector<std::string_view> featureKeys();
std::vector<std::string_view> partNames();
// "a, b or c" (or another word than "or" before the last)
std::string alternatives(const std::vector<std::string_view>& words, std::string_view last = "or");
// What --feature calls it.
std::string_view featureKey(PopupFeature feature);

enum class CommandAction { Generate, Help, Version, UsageError };

struct CommandLine {
    CommandAction action = CommandAction::Generate;
    PopupSettings settings = startupSettings();
    std::optional<SnippetPart> part;
    bool json = false;
    bool check = false;
    std::string error;  // for UsageError: what is wrong, on one line, without the program's name
};

// The arguments after the program's name, UTF-8 or whatever bytes the system gave.
CommandLine parseCommandLine(std::span<const std::string> arguments);

}  // namespace quillbay::cli
