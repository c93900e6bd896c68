#include "core/preview/preview_page.h"

#include <algorithm>
#include <vector>

namespace quillbay {

std::string htmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string popupRequestLine(const PopupSettings& settings) {
    // In the order the generated script lists them, so the line reads like the code beside it.
    std::vector<const FeatureInfo*> ticked;
    for (const FeatureInfo& info : kFeatures)
        if (settings.feature(info.feature)) ticked.push_back(&info);
    std::ranges::sort(ticked, {}, &FeatureInfo::scriptPosition);

    std::string features;
    for (const FeatureInfo* info : ticked) {
        if (!features.empty()) features += ", ";
        features += info->caption;
    }
    return "The popup asks for the address " + htmlEscaped(settings.url) + ", a width of " +
           htmlEscaped(settings.width) + " and a height of " + htmlEscaped(settings.height) + ", with " +
           (features.empty() ? std::string("none of the window features") : features) +
           ". Your browser decides which bars it shows.";
}

std::string previewPage(const PopupSettings& settings) {
    const GeneratedSnippets code = generate(settings);
    return "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
           "<title>Quillbay preview</title>\r\n" +
           code.script + "\r\n</head>\r\n<body>\r\n<p>" + popupRequestLine(settings) +
           "</p>\r\n<p><input type=button value=\"Open the popup\" " + code.onClick + "></p>\r\n<p>" + code.link +
           "</p>\r\n</body>\r\n</html>\r\n";
}

}  // namespace quillbay
