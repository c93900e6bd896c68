// How quillbay-generate prints the four snippets: under the window's captions, one alone, or as JSON.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/generator/popup_script.h"

namespace quillbay::cli {

enum class SnippetPart { Script, OnClick, Link, OnLoad };

struct PartInfo {
    SnippetPart part;
    std::string_view name;     // the word --part takes
    std::string_view jsonKey;
    std::string_view box;      // the main window's output box, whose label gives the caption
    std::string GeneratedSnippets::*text;
};

// In the order of the window's boxes, which is the order of the listing and of the JSON object.
inline constexpr std::array<PartInfo, 4> kParts{{
    {SnippetPart::Script, "script", "script", "txtScript", &GeneratedSnippets::script},
    {SnippetPart::OnClick, "onclick", "onClick", "txtOnclick", &GeneratedSnippets::onClick},
    {SnippetPart::Link, "link", "link", "txtLink", &GeneratedSnippets::link},
    {SnippetPart::OnLoad, "onload", "onLoad", "txtOnload", &GeneratedSnippets::onLoad},
}};

const PartInfo& partInfo(SnippetPart part);

// Each snippet under its caption, sections apart by an empty line; every line, the script's too, ends
// with lineEnd, as text files do on the system.
std::string listing(const GeneratedSnippets& snippets, std::string_view lineEnd);

// The object on one line, then lineEnd; with `only`, that one member alone. The texts must be UTF-8.
std::string jsonObject(const GeneratedSnippets& snippets, std::optional<SnippetPart> only, std::string_view lineEnd);

bool isValidUtf8(std::string_view text);
// The length of the UTF-8 sequence that starts `text`; 0 where none does.
std::size_t utf8SequenceLength(std::string_view text);

}  // namespace quillbay::cli
