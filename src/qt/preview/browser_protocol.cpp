#include "qt/preview/browser_protocol.h"

#include <QJsonDocument>
#include <cmath>
#include <functional>
#include <limits>

namespace quillbay::protocol {

QByteArray encode(const QJsonObject& message) {
    QByteArray line = QJsonDocument(message).toJson(QJsonDocument::Compact);
    line.append('\n');
    return line;
}

std::optional<QJsonObject> decode(const QByteArray& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    return document.object();
}

QJsonObject helloMessage() {
    return QJsonObject{{QStringLiteral("hello"), QString::fromLatin1(kGreeting)}, {QStringLiteral("version"), kVersion}};
}

std::optional<Hello> parseHello(const QJsonObject& message) {
    if (message.value(QStringLiteral("hello")).toString() != QLatin1String(kGreeting)) return std::nullopt;
    Hello hello;
    hello.version = message.value(QStringLiteral("version")).toInt();
    return hello;
}

namespace {

// JSON numbers are doubles; only whole values inside the target type's range are arguments.
template <typename Int>
std::optional<Int> integerArgument(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d)) return std::nullopt;
    if (d < static_cast<double>(std::numeric_limits<Int>::min()) ||
        d > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(d);
}

template <typename Int>
HResult withInteger(const QJsonValue& value, const std::function<HResult(Int)>& apply) {
    const std::optional<Int> n = integerArgument<Int>(value);
    return n ? apply(*n) : hr::kInvalidArg;
}

}  // namespace

HResult dispatch(WebBrowser& target, const QJsonObject& request) {
    const QString call = request.value(QStringLiteral("call")).toString();
    const QJsonValue arg = request.value(QStringLiteral("arg"));
    using std::int32_t;
    auto flag = [&](HResult (WebBrowser::*member)(VariantBool)) {
        return withInteger<VariantBool>(arg, [&](VariantBool v) { return (target.*member)(v); });
    };
    auto number = [&](HResult (WebBrowser::*member)(int32_t)) {
        return withInteger<int32_t>(arg, [&](int32_t v) { return (target.*member)(v); });
    };
    if (call == QLatin1String("put_Visible")) return flag(&WebBrowser::put_Visible);
    if (call == QLatin1String("Navigate")) return arg.isString() ? target.Navigate(arg.toString().toStdString()) : hr::kInvalidArg;
    if (call == QLatin1String("put_Height")) return number(&WebBrowser::put_Height);
    if (call == QLatin1String("put_Width")) return number(&WebBrowser::put_Width);
    if (call == QLatin1String("put_AddressBar")) return flag(&WebBrowser::put_AddressBar);
    if (call == QLatin1String("put_StatusBar")) return flag(&WebBrowser::put_StatusBar);
    if (call == QLatin1String("put_ToolBar")) return number(&WebBrowser::put_ToolBar);
    if (call == QLatin1String("put_MenuBar")) return flag(&WebBrowser::put_MenuBar);
    if (call == QLatin1String("put_Resizable")) return flag(&WebBrowser::put_Resizable);
    return hr::kMemberNotFound;
}

}  // namespace quillbay::protocol
