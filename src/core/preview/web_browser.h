// The browser-control interface the preview drives: the same operations, argument types and
// result codes as the platform's web-browser automation object. On Linux our own browser program is
// behind it; no system browser is automated.
#pragma once

#include <cstdint>
#include <string>

namespace quillbay {

// Result of every call, as the automation object gives it: zero or positive is success.
using HResult = std::int32_t;
// The automation boolean: true is all bits set.
using VariantBool = std::int16_t;

inline constexpr VariantBool kVariantTrue = -1;
inline constexpr VariantBool kVariantFalse = 0;
constexpr VariantBool toVariantBool(bool on) { return on ? kVariantTrue : kVariantFalse; }

constexpr bool succeeded(HResult hr) { return hr >= 0; }

// The codes the tool and its browser use; the values are the platform's own so that a code
// read in a message means the same thing whichever browser produced it.
namespace hr {
inline constexpr HResult kOk = 0;
inline constexpr HResult kFail = static_cast<HResult>(0x80004005u);           // unspecified failure
inline constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057u);     // the browser refused the value
inline constexpr HResult kUnexpected = static_cast<HResult>(0x8000FFFFu);     // the reply made no sense
inline constexpr HResult kMemberNotFound = static_cast<HResult>(0x80020003u); // unknown operation
inline constexpr HResult kTimeout = static_cast<HResult>(0x800705B4u);        // no answer in time
inline constexpr HResult kDisconnected = static_cast<HResult>(0x80010108u);   // the browser went away
inline constexpr HResult kTooLong = static_cast<HResult>(0x800700CEu);       // a request too long to send
inline constexpr HResult kOutOfTime = static_cast<HResult>(0x80004004u);     // the press used up its time
}  // namespace hr

class WebBrowser {
public:
    virtual ~WebBrowser() = default;

    virtual HResult put_Visible(VariantBool visible) = 0;
    // The address exactly as typed (UTF-8); the browser interprets it as its own address bar would.
    virtual HResult Navigate(const std::string& url) = 0;
    // Outer window size in pixels, frame included.
    virtual HResult put_Height(std::int32_t height) = 0;
    virtual HResult put_Width(std::int32_t width) = 0;
    virtual HResult put_AddressBar(VariantBool on) = 0;
    virtual HResult put_StatusBar(VariantBool on) = 0;
    // The only bar switched by an integer (0 or 1) rather than an automation boolean.
    virtual HResult put_ToolBar(std::int32_t on) = 0;
    virtual HResult put_MenuBar(VariantBool on) = 0;
    virtual HResult put_Resizable(VariantBool on) = 0;
};

}  // namespace quillbay
