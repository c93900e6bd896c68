#include "cli/generate_command.h"

#include <vector>

#include "cli/command_line.h"
#include "cli/snippet_output.h"
#include "core/generator/script_checks.h"
#include "core/main_window/main_form_layout.h"
#include "quillbay/version.h"

namespace quillbay::cli {

namespace {

std::string line(std::initializer_list<std::string_view> pieces, std::string_view lineEnd) {
    std::string out;
    for (std::string_view piece : pieces) out.append(piece);
    return out.append(lineEnd);
}

std::string helpText(std::string_view lineEnd, InvalidText invalid) {
    const PopupSettings start = startupSettings();
    std::string out;
    const auto add = [&](std::string_view text) { out.append(text).append(lineEnd); };
    // The text wrapped in a column of its own, so that derived lists of any length fit 80 columns.
    const auto option = [&](std::string_view synopsis, std::string_view text) {
        constexpr std::size_t kColumn = 22;
        constexpr std::size_t kWidth = 79;
        std::string row = "  " + std::string(synopsis);
        row.append(row.size() < kColumn ? kColumn - row.size() : 1, ' ');
        const std::size_t indent = row.size();
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find(' ', start);
            if (end == std::string_view::npos) end = text.size();
            const std::string_view word = text.substr(start, end - start);
            if (row.size() > indent && row.size() + 1 + word.size() > kWidth) {
                add(row);
                row.assign(kColumn, ' ');
            }
            if (row.size() > indent) row += ' ';
            row.append(word);
            start = end + 1;
        }
        add(row);
    };

    add(std::string("Usage: ") + std::string(kProgramName) + " [OPTION]...");
    add("Print the script that opens a browser popup window, and three snippets that");
    add("call it, as Quillbay's \"" + std::string(mainlayout::find("Command1")->caption) + "\" makes them.");
    add("");
    add("The popup (an option left out takes the window's start value):");
    for (const TextOption& text : kTextOptions) {
        option(std::string(text.name) + " " + std::string(text.valueName),
               std::string(text.help) + " (" + start.text(text.field) + ")");
    }
    option("--feature KEY", "switch a window feature on; repeatable; KEY is " + alternatives(featureKeys()));
    option("--all-features", "switch every feature on");
    add("");
    add("The output (without --part or --json: each snippet under the caption of its box");
    add("in the window, its lines ending as text lines do on this system):");
    option("--part PART", "print one snippet alone, byte for byte as the window's copy gives it (CR LF inside "
                          "the script, no line break added); PART is " + alternatives(partNames()));
    option("--json", "print one JSON object with script, onClick, link and onLoad (with --part, with that "
                     "snippet alone)");
    option("--check", "also warn on standard error about code that may not work");
    option("-h, --help", "print this help and exit");
    option("-v, --version", "print the version and exit");
    add("");
    add("Texts are used exactly as given; an empty one is refused, as in the window.");
    add("Options also take --option=VALUE; of a repeated one, the last counts.");
    add("");
    add("Exit status: 0 done; 1 the output could not be written; 2 an empty field,");
    add(invalid == InvalidText::NotText ? "a usage error, or an argument that is not text (a lone surrogate)."
                                        : "a usage error, or text that is not UTF-8 with --json.");
    return out;
}

}  // namespace

CommandResult runGenerateCommand(std::span<const std::string> arguments, std::string_view lineEnd,
                                 InvalidText invalid) {
    CommandResult result;
    const auto refuse = [&](std::string_view message) {
        result.err = line({kProgramName, ": ", message}, lineEnd);
        result.status = kExitRefused;
        return result;
    };

    const CommandLine command = parseCommandLine(arguments);
    switch (command.action) {
    case CommandAction::Help:
        result.out = helpText(lineEnd, invalid);
        return result;
    case CommandAction::Version:
        result.out = line({kProgramName, " (", kAppTitle, ") ", kVersionText}, lineEnd);
        return result;
    case CommandAction::UsageError:
        return refuse(command.error + "; see " + std::string(kProgramName) + " --help");
    case CommandAction::Generate:
        break;
    }

    if (const auto failure = validate(command.settings)) return refuse(failure->message);
    for (const TextOption& text : kTextOptions) {
        if (isValidUtf8(command.settings.text(text.field))) continue;
        if (invalid == InvalidText::NotText)
            return refuse(std::string(text.name) + " holds a lone UTF-16 surrogate, which is not text");
        if (command.json) return refuse(std::string(text.name) + " is not valid UTF-8, which JSON cannot carry");
    }

    const GeneratedSnippets snippets = generate(command.settings);
    if (command.json)
        result.out = jsonObject(snippets, command.part, lineEnd);
    else if (command.part)
        result.out = snippets.*partInfo(*command.part).text;
    else
        result.out = listing(snippets, lineEnd);

    if (command.check) {
        for (const ScriptWarning& warning : checkScript(command.settings))
            result.err += line({kProgramName, ": warning: ", optionFor(warning.field), " ", warning.text}, lineEnd);
        if (const std::vector<PopupFeature> features = featuresPreventingPopup(command.settings); !features.empty()) {
            std::vector<std::string_view> keys;
            for (PopupFeature feature : features) keys.push_back(featureKey(feature));
            result.err +=
                line({kProgramName, ": warning: --feature ", alternatives(keys, "and"), " ", kNoPopupWarning}, lineEnd);
        }
        if (!command.part || *command.part == SnippetPart::OnLoad)
            result.err += line({kProgramName, ": warning: ", kOnLoadBlockedWarning}, lineEnd);
    }
    return result;
}

}  // namespace quillbay::cli
