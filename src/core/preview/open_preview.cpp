#include "core/preview/open_preview.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/busy_indicator.h"

namespace quillbay {

Int32Parse parseInt32(std::string_view text, std::int32_t& value) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return Int32Parse::NotWholeNumber;
    for (char c : text)
        if (c < '0' || c > '9') return Int32Parse::NotWholeNumber;

    // Accumulate towards the negative end, which is the larger one.
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t n = 0;
    for (char c : text) {
        n = n * 10 - (c - '0');
        if (n < kMin) return Int32Parse::OutOfRange;
    }
    if (!negative) {
        n = -n;
        if (n > std::numeric_limits<std::int32_t>::max()) return Int32Parse::OutOfRange;
    }
    value = static_cast<std::int32_t>(n);
    return Int32Parse::Ok;
}

namespace {

// Messages quote at most this many characters of a field, so that a box stays the size of its sentence.
constexpr std::size_t kQuotedLength = 40;

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(std::ranges::count_if(text, [](char c) { return !continuationByte(c); }));
}

// The text, or its first characters marked as cut short; never half a character.
std::string excerpt(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (continuationByte(text[i])) continue;
        if (characters++ == kQuotedLength) return std::string(text.substr(0, i)) + "\u2026";
    }
    return std::string(text);
}

// A count with its thousands grouped, as a reader of the message expects it.
std::string grouped(std::size_t n) {
    std::string digits = std::to_string(n);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

std::string hex8(std::uint32_t code) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out(8, '0');
    for (int i = 7; i >= 0; --i, code >>= 4) out[static_cast<std::size_t>(i)] = kDigits[code & 0xF];
    return out;
}

std::string onOff(bool on, const char* what) { return std::string(on ? "show" : "hide") + " the " + what; }

// What the browser was asked to do, completing "when asked to ...".
std::string actionText(PreviewStep step, std::string_view argument, bool on) {
    switch (step) {
        case PreviewStep::Create: return "start";
        case PreviewStep::Visible: return "show its window";
        case PreviewStep::Navigate: return "open the address \"" + excerpt(argument) + "\"";
        case PreviewStep::Height: return "set the window height to " + std::string(argument);
        case PreviewStep::Width: return "set the window width to " + std::string(argument);
        case PreviewStep::AddressBar: return onOff(on, "address bar");
        case PreviewStep::StatusBar: return onOff(on, "status bar");
        case PreviewStep::ToolBar: return onOff(on, "tool bar");
        case PreviewStep::MenuBar: return onOff(on, "menu bar");
        case PreviewStep::Resizable: return on ? "make the window resizable" : "give the window a fixed size";
    }
    return {};
}

std::string callFailureText(HResult code, const std::string& action) {
    // Whatever the step, the tool stopped waiting while the browser may still be working on it.
    if (code == hr::kOutOfTime)
        return "The preview browser did not answer in time, so Quillbay stopped waiting for it. "
               "Its window may stay open.";
    if (code == hr::kTimeout) return "The preview browser did not answer when asked to " + action + ".";
    if (code == hr::kDisconnected) return "The preview browser closed when asked to " + action + ".";
    if (code == hr::kUnexpected)
        return "The preview browser gave an answer Quillbay does not understand when asked to " + action + ".";
    return "The preview browser refused to " + action + " (error 0x" + hex8(static_cast<std::uint32_t>(code)) + ").";
}

std::string sizeFailureText(const char* field, const std::string& text, Int32Parse problem) {
    const std::string quoted = excerpt(text);
    if (problem == Int32Parse::OutOfRange)
        return std::string("The ") + field + " \"" + quoted + "\" is out of range: it must lie between " +
               std::to_string(std::numeric_limits<std::int32_t>::min()) + " and " +
               std::to_string(std::numeric_limits<std::int32_t>::max()) + ".";
    return std::string("The ") + field + " \"" + quoted + "\" is not a whole number, so the preview window could not be sized.";
}

// The check box that feeds a bar: read from the one feature table, never restated here.
bool featureFor(const PopupSettings& settings, BrowserProperty property) {
    for (const FeatureInfo& info : kFeatures)
        if (info.browserProperty == property) return settings.feature(info.feature);
    return false;
}

}  // namespace

std::optional<PreviewFailure> OpenPreview(const PopupSettings& settings, BrowserFactory& browsers) {
    // 1. The size texts are taken now and turned into numbers only after navigation has begun.
    const std::string heightText = settings.height;
    const std::string widthText = settings.width;

    // 2. A new browser of its own for every press.
    BrowserFactory::Created created = browsers.create();
    if (!created.browser) {
        const HResult code = succeeded(created.code) ? hr::kFail : created.code;
        return PreviewFailure{PreviewStep::Create, code,
                              created.error.empty() ? callFailureText(code, actionText(PreviewStep::Create, {}, true))
                                                    : created.error};
    }
    // 12. The browser is released on every way out of here; its window stays.
    const std::unique_ptr<WebBrowser> browser = std::move(created.browser);

    auto check = [](PreviewStep step, HResult code, std::string_view argument, bool on) -> std::optional<PreviewFailure> {
        if (succeeded(code)) return std::nullopt;
        return PreviewFailure{step, code, callFailureText(code, actionText(step, argument, on))};
    };

    // 3. The empty window appears.
    if (auto failed = check(PreviewStep::Visible, browser->put_Visible(kVariantTrue), {}, true)) return failed;

    // 4. The address as typed; the page loads on in the browser while the preview goes on.
    const HResult navigated = browser->Navigate(settings.url);
    if (navigated == hr::kTooLong)
        return PreviewFailure{PreviewStep::Navigate, navigated,
                              "The address is too long to preview (" + grouped(characterCount(settings.url)) +
                                  " characters)."};
    if (auto failed = check(PreviewStep::Navigate, navigated, settings.url, true)) return failed;

    // 5, 6. Height before width.
    struct Size {
        PreviewStep step;
        const char* field;
        const std::string& text;
        HResult (WebBrowser::*put)(std::int32_t);
    };
    for (const Size& size : {Size{PreviewStep::Height, "height", heightText, &WebBrowser::put_Height},
                             Size{PreviewStep::Width, "width", widthText, &WebBrowser::put_Width}}) {
        std::int32_t value = 0;
        const Int32Parse parsed = parseInt32(size.text, value);
        if (parsed != Int32Parse::Ok)
            return PreviewFailure{size.step, hr::kInvalidArg, sizeFailureText(size.field, size.text, parsed)};
        if (auto failed = check(size.step, ((*browser).*size.put)(value), std::to_string(value), true)) return failed;
    }

    // 7-11. Five bars, in this order; the tool bar alone takes the check box's own 0 or 1.
    struct Bar {
        PreviewStep step;
        BrowserProperty property;
    };
    static constexpr std::array<Bar, 5> kBars{{{PreviewStep::AddressBar, BrowserProperty::AddressBar},
                                               {PreviewStep::StatusBar, BrowserProperty::StatusBar},
                                               {PreviewStep::ToolBar, BrowserProperty::ToolBar},
                                               {PreviewStep::MenuBar, BrowserProperty::MenuBar},
                                               {PreviewStep::Resizable, BrowserProperty::Resizable}}};
    for (const Bar& bar : kBars) {
        const bool on = featureFor(settings, bar.property);
        HResult code = hr::kOk;
        switch (bar.property) {
            case BrowserProperty::AddressBar: code = browser->put_AddressBar(toVariantBool(on)); break;
            case BrowserProperty::StatusBar: code = browser->put_StatusBar(toVariantBool(on)); break;
            case BrowserProperty::ToolBar: code = browser->put_ToolBar(on ? 1 : 0); break;
            case BrowserProperty::MenuBar: code = browser->put_MenuBar(toVariantBool(on)); break;
            case BrowserProperty::Resizable: code = browser->put_Resizable(toVariantBool(on)); break;
            case BrowserProperty::None: break;
        }
        if (auto failed = check(bar.step, code, {}, on)) return failed;
    }
    return std::nullopt;
}

void PreviewService::operator()(const PopupSettings& settings, const Tell& tell) const {
    if (busy_) busy_->begin();
    const std::optional<PreviewFailure> failure = OpenPreview(settings, browsers_);
    if (busy_) busy_->end();
    if (failure && tell) tell(failure->message);
}

}  // namespace quillbay
