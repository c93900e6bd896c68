// Any bytes in the five fields and any feature states: validation names the first empty field, and
// the generator gives exactly the text it promises, fields copied byte for byte. The expected text
// is written out here from the promise itself, never asked of the code under test.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/generator/popup_script.h"

namespace {

using quillbay::PopupFeature;
using quillbay::SettingsField;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "generator_fuzz: %s\n", what);
    std::abort();
}

std::size_t countCrLf(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The feature states come from the input's last byte, one bit each, in the order the script lists them.
    const std::uint8_t bits = input.ConsumeIntegral<std::uint8_t>();
    const PopupFeature scriptOrder[] = {PopupFeature::Status,      PopupFeature::Scroll,  PopupFeature::Menubar,
                                        PopupFeature::Resize,      PopupFeature::Directories,
                                        PopupFeature::Toolbar,     PopupFeature::Location};
    quillbay::PopupSettings settings;
    for (int i = 0; i < 7; ++i) settings.setFeature(scriptOrder[i], (bits >> i) & 1);
    // The fields, in the record's order, each ended by a backslash and a character other than a backslash.
    settings.functionName = input.ConsumeRandomLengthString();
    settings.url = input.ConsumeRandomLengthString();
    settings.windowName = input.ConsumeRandomLengthString();
    settings.width = input.ConsumeRandomLengthString();
    settings.height = input.ConsumeRemainingBytesAsString();

    // Validation: the first empty field in the order function name, URL, window name, height, width.
    const std::pair<SettingsField, const std::string*> checkOrder[] = {
        {SettingsField::FunctionName, &settings.functionName}, {SettingsField::Url, &settings.url},
        {SettingsField::WindowName, &settings.windowName},     {SettingsField::Height, &settings.height},
        {SettingsField::Width, &settings.width}};
    const auto failure = quillbay::validate(settings);
    const std::pair<SettingsField, const std::string*>* firstEmpty = nullptr;
    for (const auto& field : checkOrder) {
        if (field.second->empty()) {
            firstEmpty = &field;
            break;
        }
    }
    require(failure.has_value() == (firstEmpty != nullptr), "validation disagrees on whether a field is empty");
    if (failure) require(failure->field == firstEmpty->first && !failure->message.empty(), "validation names the wrong field");

    // The generator takes any record, valid or not, and only concatenates.
    const quillbay::GeneratedSnippets out = quillbay::generate(settings);
    const std::string& name = settings.functionName;
    auto on = [&](int i) { return std::string((bits >> i) & 1 ? "1" : "0"); };
    const std::string script = "<script language=Javascript>\r\n"
                               "function " + name + "(){\r\n"
                               "window.open('" + settings.url + "','" + settings.windowName + "','"
                               "width=" + settings.width + ",height=" + settings.height +
                               ",status=" + on(0) + ",scrollbars=" + on(1) + ",menubar=" + on(2) +
                               ",resizable=" + on(3) + ",directories=" + on(4) + ",toolbar=" + on(5) +
                               ",location=" + on(6) + "')\r\n"
                               "}\r\n"
                               "</script>";
    require(out.script == script, "script block");
    require(out.onClick == "onClick='" + name + "()'", "onClick attribute");
    require(out.link == "<a href='javascript:" + name + "()'>On Link</a>", "link element");
    require(out.onLoad == "<body onload='" + name + "()'>", "onload tag");
    // Four line breaks of its own; any others came in with a field.
    const std::size_t fromFields = countCrLf(name) + countCrLf(settings.url) + countCrLf(settings.windowName) +
                                   countCrLf(settings.width) + countCrLf(settings.height);
    require(countCrLf(out.script) == 4 + fromFields, "the script block's own CR LF count");
    return 0;
}
