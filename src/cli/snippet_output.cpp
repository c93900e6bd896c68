#include "cli/snippet_output.h"

#include <algorithm>

#include "core/main_window/main_form_layout.h"

namespace quillbay::cli {

namespace {

std::string_view captionOf(const PartInfo& info) {
    const mainlayout::ControlRow* box = mainlayout::find(info.box);
    const mainlayout::ControlRow* label = box ? mainlayout::find(box->labelledBy) : nullptr;
    return label ? label->caption : info.name;
}

void appendWithLineEnds(std::string& out, std::string_view text, std::string_view lineEnd) {
    constexpr std::string_view kCrLf = "\r\n";
    for (auto pos = text.find(kCrLf); pos != std::string_view::npos; pos = text.find(kCrLf)) {
        out.append(text.substr(0, pos)).append(lineEnd);
        text.remove_prefix(pos + kCrLf.size());
    }
    out.append(text);
}

void appendJsonString(std::string& out, std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xf];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

}  // namespace

const PartInfo& partInfo(SnippetPart part) { return kParts[static_cast<std::size_t>(part)]; }

std::string listing(const GeneratedSnippets& snippets, std::string_view lineEnd) {
    std::string out;
    for (const PartInfo& info : kParts) {
        if (&info != &kParts.front()) out.append(lineEnd);
        out.append(captionOf(info)).append(lineEnd);
        appendWithLineEnds(out, snippets.*info.text, lineEnd);
        out.append(lineEnd);
    }
    return out;
}

std::string jsonObject(const GeneratedSnippets& snippets, std::optional<SnippetPart> only, std::string_view lineEnd) {
    std::string out = "{";
    for (const PartInfo& info : kParts) {
        if (only && *only != info.part) continue;
        if (out.size() > 1) out += ',';
        appendJsonString(out, info.jsonKey);
        out += ':';
        appendJsonString(out, snippets.*info.text);
    }
    out += '}';
    out.append(lineEnd);
    return out;
}

std::size_t utf8SequenceLength(std::string_view text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if ((lead & 0xe0) == 0xc0) {
        length = 2, code = lead & 0x1f, smallest = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3, code = lead & 0x0f, smallest = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4, code = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xc0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3f);
    }
    // Overlong forms, UTF-16 surrogates and code points past Unicode's end are not UTF-8.
    if (code < smallest || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return 0;
    return length;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t length; !text.empty(); text.remove_prefix(length)) {
        if ((length = utf8SequenceLength(text)) == 0) return false;
    }
    return true;
}

}  // namespace quillbay::cli
