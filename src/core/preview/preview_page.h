// The page that previews a popup the way a visitor's browser meets it: the generated script and the two
// ways of calling it, run by the browser itself when the user clicks. Standard C++; UTF-8 in and out.
#pragma once

#include <string>
#include <string_view>

#include "core/generator/popup_script.h"

namespace quillbay {

// `text` made safe as HTML element content or a quoted attribute value: & < > " ' become references.
std::string htmlEscaped(std::string_view text);

// The line that says what the popup asks for (address, size, the features ticked) and that the browser has
// the last word on its bars; the user's texts in it are escaped.
std::string popupRequestLine(const PopupSettings& settings);

// A whole page (CR LF line breaks): the script block in its head exactly as generated, and as its content
// the request line, a button carrying the generated onClick attribute and the generated link, both
// verbatim, since they are the code under test. Nothing runs until a click: browsers block popups
// that no click opened.
std::string previewPage(const PopupSettings& settings);

}  // namespace quillbay
