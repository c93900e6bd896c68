#include "platform/linux_registry.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstring>
#include <utility>

namespace quillbay {

namespace {

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kPathValue = QStringLiteral("PATH");

// A view that cannot be written refuses write access the way Windows refuses it to a standard user.
constexpr std::uint32_t kGrantable = reg::kKeyRead | reg::kWow64Key64 | reg::kWow64Key32;

bool sameName(const std::string& name, const QString& expected) {
    return QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()))
               .compare(expected, Qt::CaseInsensitive) == 0;
}

}  // namespace

LinuxRegistry::LinuxRegistry(QStringList searchPath) : searchPath_(std::move(searchPath)) {}

const QStringList& LinuxRegistry::systemInfoPrograms() {
    static const QStringList programs{QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"),
                                      QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor")};
    return programs;
}

QStringList LinuxRegistry::searchPath() const {
    QStringList dirs = searchPath_ ? *searchPath_
                                   : QString::fromLocal8Bit(qgetenv("PATH")).split(QDir::listSeparator());
    // An empty or relative entry would be looked up from the current directory, where anyone who can
    // write there could plant a "system" tool.
    dirs.removeIf([](const QString& dir) { return !QDir::isAbsolutePath(dir); });
    return dirs;
}

QString LinuxRegistry::systemInfoProgram() const {
    const QStringList dirs = searchPath();
    // findExecutable falls back to $PATH when given no directories; an empty search path finds nothing.
    if (dirs.isEmpty()) return {};
    for (const QString& program : systemInfoPrograms()) {
        const QString found = QStandardPaths::findExecutable(program, dirs);
        if (!found.isEmpty()) return found;
    }
    return {};
}

RegStatus LinuxRegistry::openKey(RegKey root, const std::string& subKey, std::uint32_t /*options*/,
                                 std::uint32_t access, RegKey* result) {
    if (!result) return reg::kInvalidParameter;
    *result = 0;
    if (root != reg::kLocalMachine || !sameName(subKey, kMsinfoKey)) return reg::kFileNotFound;
    if (access & ~kGrantable) return reg::kAccessDenied;
    const RegKey key = nextKey_++;
    open_.insert(key);
    *result = key;
    return reg::kSuccess;
}

RegStatus LinuxRegistry::queryValue(RegKey key, const std::string& valueName, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
    if (!open_.contains(key)) return reg::kInvalidHandle;
    if (data && !size) return reg::kInvalidParameter;
    if (!sameName(valueName, kPathValue)) return reg::kFileNotFound;
    const QString program = systemInfoProgram();
    if (program.isEmpty()) return reg::kFileNotFound;

    // Stored as Windows stores a string: the text in the system's encoding with its terminating zero.
    QByteArray bytes = QFile::encodeName(program);
    bytes.append('\0');
    const auto length = static_cast<std::uint32_t>(bytes.size());

    if (type) *type = reg::kTypeString;
    if (!size) return reg::kSuccess;
    if (data && *size < length) {
        *size = length;
        return reg::kMoreData;
    }
    if (data) std::memcpy(data, bytes.constData(), length);
    *size = length;
    return reg::kSuccess;
}

RegStatus LinuxRegistry::closeKey(RegKey key) { return open_.erase(key) ? reg::kSuccess : reg::kInvalidHandle; }

std::unique_ptr<Registry> makeSystemRegistry() { return std::make_unique<LinuxRegistry>(); }

}  // namespace quillbay
