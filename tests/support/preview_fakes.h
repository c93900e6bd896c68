// Stand-ins for the browser and its maker that write down what the preview asks of them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/preview/open_preview.h"

namespace quillbay::testing {

// One call as the browser received it; `arg` is the number, or the address for Navigate.
struct Call {
    Call(std::string n, long long value = 0, std::string address = {})
        : name(std::move(n)), number(value), text(std::move(address)) {}
    std::string name;
    long long number = 0;
    std::string text;

    bool operator==(const Call&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Call& c) {
    out << c.name << '(';
    if (c.name == "Navigate") out << '"' << c.text << '"';
    else out << c.number;
    return out << ')';
}

struct Journal {
    std::vector<Call> calls;
    bool released = false;
    // Answer to give for a call, by name; success when absent.
    std::function<HResult(const std::string&)> answer = [](const std::string&) { return hr::kOk; };
};

class RecordingBrowser final : public WebBrowser {
public:
    explicit RecordingBrowser(Journal& journal) : j_(journal) {}
    ~RecordingBrowser() override { j_.released = true; }

    HResult put_Visible(VariantBool v) override { return note("put_Visible", v); }
    HResult Navigate(const std::string& url) override {
        j_.calls.push_back({"Navigate", 0, url});
        return j_.answer("Navigate");
    }
    HResult put_Height(std::int32_t v) override { return note("put_Height", v); }
    HResult put_Width(std::int32_t v) override { return note("put_Width", v); }
    HResult put_AddressBar(VariantBool v) override { return note("put_AddressBar", v); }
    HResult put_StatusBar(VariantBool v) override { return note("put_StatusBar", v); }
    HResult put_ToolBar(std::int32_t v) override { return note("put_ToolBar", v); }
    HResult put_MenuBar(VariantBool v) override { return note("put_MenuBar", v); }
    HResult put_Resizable(VariantBool v) override { return note("put_Resizable", v); }

private:
    HResult note(const char* name, long long value) {
        j_.calls.push_back({name, value, {}});
        return j_.answer(name);
    }
    Journal& j_;
};

class RecordingFactory final : public BrowserFactory {
public:
    Created create() override {
        ++creates;
        if (fail) return {nullptr, failCode, failText};
        Created c;
        c.browser = std::make_unique<RecordingBrowser>(journal);
        return c;
    }
    Journal journal;
    int creates = 0;
    bool fail = false;
    HResult failCode = hr::kFail;
    std::string failText;
};

}  // namespace quillbay::testing
