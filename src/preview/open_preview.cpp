#include "preview/open_preview.h"

#include <array>
#include <limits>

#include "platform/busy_indicator.h"
#include "platform/messenger.h"

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
constexpr qsizetype kQuotedLength = 40;

// The text, or its beginning marked as cut short.
QString excerpt(const QString& text) {
    if (text.size() <= kQuotedLength) return text;
    qsizetype length = kQuotedLength;
    if (text.at(length - 1).isHighSurrogate()) --length;  // never half a character
    return text.left(length) + QChar(0x2026);
}

QString onOff(bool on, const char* what) {
    return QStringLiteral("%1 the %2").arg(on ? QStringLiteral("show") : QStringLiteral("hide"), QLatin1String(what));
}

// What the browser was asked to do, completing "when asked to ...".
QString actionText(PreviewStep step, const QString& argument, bool on) {
    switch (step) {
        case PreviewStep::Create: return QStringLiteral("start");
        case PreviewStep::Visible: return QStringLiteral("show its window");
        case PreviewStep::Navigate: return QStringLiteral("open the address \"%1\"").arg(excerpt(argument));
        case PreviewStep::Height: return QStringLiteral("set the window height to %1").arg(argument);
        case PreviewStep::Width: return QStringLiteral("set the window width to %1").arg(argument);
        case PreviewStep::AddressBar: return onOff(on, "address bar");
        case PreviewStep::StatusBar: return onOff(on, "status bar");
        case PreviewStep::ToolBar: return onOff(on, "tool bar");
        case PreviewStep::MenuBar: return onOff(on, "menu bar");
        case PreviewStep::Resizable:
            return on ? QStringLiteral("make the window resizable") : QStringLiteral("give the window a fixed size");
    }
    return {};
}

QString callFailureText(HResult code, const QString& action) {
    if (code == hr::kTimeout) return QStringLiteral("The preview browser did not answer when asked to %1.").arg(action);
    if (code == hr::kDisconnected)
        return QStringLiteral("The preview browser closed when asked to %1.").arg(action);
    return QStringLiteral("The preview browser refused to %1 (error 0x%2).")
        .arg(action)
        .arg(static_cast<std::uint32_t>(code), 8, 16, QLatin1Char('0'));
}

QString sizeFailureText(const char* field, const std::string& text, Int32Parse problem) {
    const QString quoted = excerpt(QString::fromStdString(text));
    if (problem == Int32Parse::OutOfRange)
        return QStringLiteral("The %1 \"%2\" is out of range: it must lie between %3 and %4.")
            .arg(QLatin1String(field), quoted)
            .arg(std::numeric_limits<std::int32_t>::min())
            .arg(std::numeric_limits<std::int32_t>::max());
    return QStringLiteral("The %1 \"%2\" is not a whole number, so the preview window could not be sized.")
        .arg(QLatin1String(field), quoted);
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
                              created.error.isEmpty() ? callFailureText(code, actionText(PreviewStep::Create, {}, true))
                                                      : created.error};
    }
    // 12. The browser is released on every way out of here; its window stays.
    const std::unique_ptr<WebBrowser> browser = std::move(created.browser);

    auto check = [](PreviewStep step, HResult code, const QString& argument, bool on) -> std::optional<PreviewFailure> {
        if (succeeded(code)) return std::nullopt;
        return PreviewFailure{step, code, callFailureText(code, actionText(step, argument, on))};
    };

    // 3. The empty window appears.
    if (auto failed = check(PreviewStep::Visible, browser->put_Visible(kVariantTrue), {}, true)) return failed;

    // 4. The address as typed; the page loads on in the browser while the preview goes on.
    const QString url = QString::fromStdString(settings.url);
    const HResult navigated = browser->Navigate(url);
    if (navigated == hr::kTooLong)
        return PreviewFailure{PreviewStep::Navigate, navigated,
                              QStringLiteral("The address is too long to preview (%L1 characters).").arg(url.size())};
    if (auto failed = check(PreviewStep::Navigate, navigated, url, true)) return failed;

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
        if (auto failed = check(size.step, ((*browser).*size.put)(value), QString::number(value), true)) return failed;
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

void PreviewService::operator()(QWidget* parent, const PopupSettings& settings) const {
    if (busy_) busy_->begin();
    const std::optional<PreviewFailure> failure = OpenPreview(settings, browsers_);
    if (busy_) busy_->end();
    if (failure) messenger_.tell(parent, failure->message);
}

}  // namespace quillbay
