// "Preview": a browser window on the popup's address, with its size and five of its bars.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/generator/popup_script.h"
#include "core/preview/web_browser.h"

namespace quillbay {

class BusyIndicator;

// Makes a new, independent browser for each preview.
class BrowserFactory {
public:
    struct Created {
        std::unique_ptr<WebBrowser> browser;  // empty when none could be made
        HResult code = hr::kOk;
        std::string error;                    // what went wrong, for the user
    };
    virtual ~BrowserFactory() = default;
    virtual Created create() = 0;
};

// The preview's steps, in the order they run.
enum class PreviewStep { Create, Visible, Navigate, Height, Width, AddressBar, StatusBar, ToolBar, MenuBar, Resizable };

struct PreviewFailure {
    PreviewStep step;
    HResult code;     // the browser's result, or hr::kInvalidArg for a size that is not a number
    std::string message;  // one sentence for the message box

    bool operator==(const PreviewFailure&) const = default;
};

enum class Int32Parse { Ok, NotWholeNumber, OutOfRange };
// Plain decimal digits, optionally signed and surrounded by blanks (spaces, tabs).
Int32Parse parseInt32(std::string_view text, std::int32_t& value);

// Opens one preview and releases the browser before returning; the window stays open.
// Stops at the first failing step: the steps before it stay done (the window may already be
// showing the page). Never validates: the settings are those the shown script came from.
std::optional<PreviewFailure> OpenPreview(const PopupSettings& settings, BrowserFactory& browsers);

// What the main window's "Preview" button calls: OpenPreview, and one message if it fails.
// While the steps wait on the browser, `busy` (when given) shows it; it is over before the message.
class PreviewService {
public:
    using Tell = std::function<void(const std::string& message)>;

    PreviewService(BrowserFactory& browsers, BusyIndicator* busy = nullptr) : browsers_(browsers), busy_(busy) {}
    void operator()(const PopupSettings& settings, const Tell& tell) const;

private:
    BrowserFactory& browsers_;
    BusyIndicator* busy_;
};

}  // namespace quillbay
