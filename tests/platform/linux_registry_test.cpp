#include "platform/linux_registry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <ostream>

namespace quillbay {
namespace {

const std::string kKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

// A directory tree standing in for the directories of $PATH.
class FakePath {
public:
    QString dir(const QString& name) {
        const QString path = root_.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    QString program(const QString& dirName, const QString& name, bool executable = true) {
        const QString path = dir(dirName) + QLatin1Char('/') + name;
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n");
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable) permissions |= QFile::ExeOwner;
        file.setPermissions(permissions);
        return path;
    }

private:
    QTemporaryDir root_;
};

struct SearchCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> programs;  // directory, program
    std::vector<const char*> searchPath;                        // directories, in order
    const char* expected;                                       // "dir/program", or empty
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const SearchCase& c, std::ostream* os) { *os << c.name; }

const SearchCase kSearchCases[] = {
    {"ProgramOrderBeatsDirectoryOrder",
     {{"a", "gnome-system-monitor"}, {"a", "kinfocenter"}, {"b", "hardinfo"}},
     {"a", "b"},
     "b/hardinfo"},
    {"Hardinfo2First", {{"a", "hardinfo"}, {"a", "hardinfo2"}}, {"a"}, "a/hardinfo2"},
    {"KinfocenterBeforeGnome", {{"a", "gnome-system-monitor"}, {"b", "kinfocenter"}}, {"a", "b"}, "b/kinfocenter"},
    {"GnomeLast", {{"b", "gnome-system-monitor"}}, {"a", "b"}, "b/gnome-system-monitor"},
    {"FirstDirectoryWins", {{"a", "hardinfo"}, {"b", "hardinfo"}}, {"b", "a"}, "b/hardinfo"},
    {"DirectoryOffThePathIgnored", {{"elsewhere", "hardinfo2"}}, {"a"}, ""},
    {"NothingInstalled", {}, {"a", "b"}, ""},
    {"OtherProgramsIgnored", {{"a", "htop"}, {"a", "msinfo32"}}, {"a"}, ""},
};

class LinuxRegistrySearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(LinuxRegistrySearch, FindsTheFirstSystemInfoProgram) {
    const SearchCase& c = GetParam();
    FakePath fake;
    QStringList dirs;
    for (const char* d : c.searchPath) dirs << fake.dir(QString::fromLatin1(d));
    QString expected;
    for (const auto& [d, p] : c.programs) {
        const QString path = fake.program(QString::fromLatin1(d), QString::fromLatin1(p));
        if (QStringLiteral("%1/%2").arg(QString::fromLatin1(d), QString::fromLatin1(p)) ==
            QString::fromLatin1(c.expected)) {
            expected = path;
        }
    }
    EXPECT_EQ(LinuxRegistry(dirs).systemInfoProgram(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, LinuxRegistrySearch, ::testing::ValuesIn(kSearchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LinuxRegistry, SkipsWhatCannotBeRun) {
    FakePath fake;
    fake.program(QStringLiteral("a"), QStringLiteral("hardinfo2"), /*executable=*/false);
    fake.dir(QStringLiteral("a/hardinfo"));  // a directory, not a program
    const QString kinfo = fake.program(QStringLiteral("b"), QStringLiteral("kinfocenter"));
    EXPECT_EQ(LinuxRegistry({fake.dir(QStringLiteral("a")), fake.dir(QStringLiteral("b"))}).systemInfoProgram(),
              kinfo);
}

TEST(LinuxRegistry, EmptySearchPathFindsNothing) {
    // Not even what the process's own PATH would find.
    EXPECT_EQ(LinuxRegistry(QStringList{}).systemInfoProgram(), QString());
    EXPECT_EQ(LinuxRegistry(QStringList{QString()}).systemInfoProgram(), QString());
}

TEST(LinuxRegistry, RelativeEntriesAreNotSearched) {
    // A preferred program in the current folder must lose to a less preferred one in a real directory.
    FakePath fake;
    fake.program(QStringLiteral("cwd"), QStringLiteral("hardinfo2"));
    fake.program(QStringLiteral("cwd/bin"), QStringLiteral("hardinfo"));
    const QString kinfo = fake.program(QStringLiteral("abs"), QStringLiteral("kinfocenter"));
    const QString savedDir = QDir::currentPath();
    const QByteArray savedPath = qgetenv("PATH");
    ASSERT_TRUE(QDir::setCurrent(fake.dir(QStringLiteral("cwd"))));

    const QString fromList =
        LinuxRegistry({QStringLiteral("."), QStringLiteral("bin"), QString(), fake.dir(QStringLiteral("abs"))})
            .systemInfoProgram();
    qputenv("PATH", ".:bin::" + QFile::encodeName(fake.dir(QStringLiteral("abs"))));
    const QString fromEnvironment = LinuxRegistry().systemInfoProgram();

    qputenv("PATH", savedPath);
    QDir::setCurrent(savedDir);
    EXPECT_EQ(fromList.toStdString(), kinfo.toStdString());
    EXPECT_EQ(fromEnvironment.toStdString(), kinfo.toStdString());
}

TEST(LinuxRegistry, DefaultSearchesTheCurrentPath) {
    FakePath fake;
    const QString program = fake.program(QStringLiteral("bin"), QStringLiteral("kinfocenter"));
    const QByteArray saved = qgetenv("PATH");
    LinuxRegistry registry;
    qputenv("PATH", QFile::encodeName(fake.dir(QStringLiteral("bin"))));
    const QString found = registry.systemInfoProgram();
    qputenv("PATH", saved);
    EXPECT_EQ(found, program);
}

// ---------------------------------------------------------------- the registry calls

struct OpenCase {
    const char* name;
    RegKey root;
    std::string key;
    std::uint32_t access;
    RegStatus expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

const OpenCase kOpenCases[] = {
    {"AsWritten", reg::kLocalMachine, kKey, reg::kKeyRead, reg::kSuccess},
    {"CaseDoesNotMatter", reg::kLocalMachine, "software\\MICROSOFT\\shared tools\\msInfo", reg::kKeyRead,
     reg::kSuccess},
    {"WriteRightsRefused", reg::kLocalMachine, kKey, 0x2003F, reg::kAccessDenied},
    {"SetValueRefused", reg::kLocalMachine, kKey, reg::kKeyRead | reg::kSetValue, reg::kAccessDenied},
    {"OtherRoot", 0x80000001, kKey, reg::kKeyRead, reg::kFileNotFound},
    {"FolderKeyDoesNotExist", reg::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", reg::kKeyRead,
     reg::kFileNotFound},
    {"ParentDoesNotExist", reg::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools", reg::kKeyRead,
     reg::kFileNotFound},
};

class LinuxRegistryOpen : public ::testing::TestWithParam<OpenCase> {};

TEST_P(LinuxRegistryOpen, OpensOnlyTheToolKeyForReading) {
    const OpenCase& c = GetParam();
    LinuxRegistry registry(QStringList{});
    RegKey key = 12345;
    EXPECT_EQ(registry.openKey(c.root, c.key, 0, c.access, &key), c.expected);
    if (c.expected == reg::kSuccess) {
        EXPECT_NE(key, RegKey{0});
        EXPECT_EQ(registry.closeKey(key), reg::kSuccess);
    } else {
        EXPECT_EQ(key, RegKey{0});
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LinuxRegistryOpen, ::testing::ValuesIn(kOpenCases),
                         [](const auto& info) { return std::string(info.param.name); });

class LinuxRegistryQuery : public ::testing::Test {
protected:
    void SetUp() override {
        program = fake.program(QStringLiteral("my bin"), QStringLiteral("hardinfo"));
        ASSERT_EQ(registry.openKey(reg::kLocalMachine, kKey, 0, reg::kKeyRead, &key), reg::kSuccess);
    }
    void TearDown() override { registry.closeKey(key); }

    FakePath fake;
    QString program;
    LinuxRegistry registry{QStringList{fake.dir(QStringLiteral("my bin"))}};
    RegKey key = 0;
};

TEST_F(LinuxRegistryQuery, PathIsAStringWithItsTerminatingZero) {
    for (const std::string& name : {std::string("PATH"), std::string("path"), std::string("Path")}) {
        std::array<std::uint8_t, 1024> buffer{};
        buffer.fill(0xEE);
        std::uint32_t size = buffer.size();
        std::uint32_t type = 0;
        ASSERT_EQ(registry.queryValue(key, name, &type, buffer.data(), &size), reg::kSuccess) << name.data();
        EXPECT_EQ(type, reg::kTypeString);
        const QByteArray expected = QFile::encodeName(program) + '\0';
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buffer.data()), size), expected);
        EXPECT_EQ(buffer[size], 0xEE) << "wrote past the data";
    }
}

TEST_F(LinuxRegistryQuery, ReportsTheSizeNeededWhenTheBufferIsShort) {
    const auto needed = static_cast<std::uint32_t>(QFile::encodeName(program).size() + 1);
    std::uint32_t size = 0;
    EXPECT_EQ(registry.queryValue(key, "PATH", nullptr, nullptr, &size), reg::kSuccess);
    EXPECT_EQ(size, needed);

    std::array<std::uint8_t, 4> small{};
    size = small.size();
    std::uint32_t type = 0;
    EXPECT_EQ(registry.queryValue(key, "PATH", &type, small.data(), &size), reg::kMoreData);
    EXPECT_EQ(size, needed);
    EXPECT_EQ(small, (std::array<std::uint8_t, 4>{}));
}

TEST_F(LinuxRegistryQuery, NoOtherValueExists) {
    std::array<std::uint8_t, 16> buffer{};
    for (const std::string& name : {std::string("MSINFO"), std::string(""), std::string("PATHS")}) {
        std::uint32_t size = buffer.size();
        EXPECT_EQ(registry.queryValue(key, name, nullptr, buffer.data(), &size), reg::kFileNotFound) << name.data();
    }
}

TEST_F(LinuxRegistryQuery, PathAbsentWhenNothingIsInstalled) {
    QFile::remove(program);
    std::array<std::uint8_t, 16> buffer{};
    std::uint32_t size = buffer.size();
    EXPECT_EQ(registry.queryValue(key, "PATH", nullptr, buffer.data(), &size), reg::kFileNotFound);
}

TEST_F(LinuxRegistryQuery, ClosedOrUnknownKeysAreRefused) {
    std::array<std::uint8_t, 16> buffer{};
    std::uint32_t size = buffer.size();
    EXPECT_EQ(registry.queryValue(key + 1, "PATH", nullptr, buffer.data(), &size), reg::kInvalidHandle);
    EXPECT_EQ(registry.closeKey(0), reg::kInvalidHandle);
    EXPECT_EQ(registry.closeKey(key), reg::kSuccess);
    EXPECT_EQ(registry.queryValue(key, "PATH", nullptr, buffer.data(), &size), reg::kInvalidHandle);
    EXPECT_EQ(registry.closeKey(key), reg::kInvalidHandle);
    key = 0;
}

}  // namespace
}  // namespace quillbay
