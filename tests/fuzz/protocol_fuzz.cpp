// Any bytes as one control-socket line: decoding never crashes, what it accepts encodes back to one
// line, and a decoded request reaches the browser at most once, as the call it names with the
// argument it carries, or is refused with a code the tool knows.
#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "qt/preview/browser_protocol.h"
#include "support/preview_fakes.h"

namespace {

using namespace quillbay;

void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "protocol_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray line(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QJsonObject> message = protocol::decode(line);
    if (!message) return 0;

    // One line per message, whatever the strings in it hold.
    const QByteArray encoded = protocol::encode(*message);
    require(encoded.endsWith('\n') && encoded.count('\n') == 1, "an encoded message is not exactly one line");
    require(protocol::decode(encoded).has_value(), "an encoded message does not decode");

    if (const std::optional<protocol::Hello> hello = protocol::parseHello(*message))
        require(message->value(QStringLiteral("hello")).toString() == QLatin1String(protocol::kGreeting),
                "a greeting accepted without the browser's name");

    testing::Journal journal;
    journal.answer = [](const std::string&) { return static_cast<HResult>(0x00000001); };  // S_FALSE: ours alone
    testing::RecordingBrowser browser(journal);
    const HResult result = protocol::dispatch(browser, *message);
    require(journal.calls.size() <= 1, "one request reached the browser more than once");
    if (journal.calls.empty()) {
        require(result == hr::kInvalidArg || result == hr::kMemberNotFound, "a refused request gave an unknown code");
        return 0;
    }
    require(result == 1, "the browser's own answer was not passed back");
    const testing::Call& call = journal.calls.front();
    require(message->value(QStringLiteral("call")).toString().toStdString() == call.name, "the wrong call was made");
    const QJsonValue arg = message->value(QStringLiteral("arg"));
    if (call.name == "Navigate") {
        require(arg.isString() && arg.toString().toStdString() == call.text, "the address changed on the way");
    } else {
        require(arg.isDouble() && arg.toDouble() == static_cast<double>(call.number), "the argument changed on the way");
        const bool flag = call.name != "put_Height" && call.name != "put_Width" && call.name != "put_ToolBar";
        require(!flag || (call.number >= -32768 && call.number <= 32767), "an automation boolean outside 16 bits");
    }
    return 0;
}
