#include "qt/about/sys_info_launcher.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "support/fake_registry.h"
#include "support/platform_fakes.h"

namespace quillbay {
namespace {

using testing::FakeFileProbe;
using testing::FakeLauncher;
using testing::FakeMessenger;
using testing::FakeRegistry;
using testing::FakeValue;
using testing::stringValue;

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

struct Rig {
    FakeRegistry registry;
    FakeFileProbe files;
    FakeLauncher launcher;
    FakeMessenger messenger;
    SysInfoLauncher sysInfo{registry, files, launcher, messenger};
};

// ---------------------------------------------------------------- StartSysInfo

struct StartCase {
    const char* name;
    std::optional<FakeValue> pathValue;    // "PATH" under the first key
    std::optional<FakeValue> folderValue;  // "MSINFO" under the second key
    QStringList files;                     // files that exist
    bool launchSucceeds;
    QString expectedStart;                 // empty: nothing is started
    bool expectSecondKey;                  // whether the second key is opened
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

const std::string kBig(1025, 'x');

const StartCase kStartCases[] = {
    {"PathWinsWithoutReadingFolder", stringValue("C:\\Windows\\System32\\msinfo32.exe"),
     stringValue("C:\\Other"), {}, true, QStringLiteral("C:\\Windows\\System32\\msinfo32.exe"), false},
    {"PathStartedWithoutFileTest", stringValue("C:\\Nowhere\\tool.exe"), std::nullopt, {}, true,
     QStringLiteral("C:\\Nowhere\\tool.exe"), false},
    {"PathWithSpacesPassedUnchanged", stringValue("C:\\Program Files\\MSInfo\\msinfo32.exe"), std::nullopt, {},
     true, QStringLiteral("C:\\Program Files\\MSInfo\\msinfo32.exe"), false},
    {"FolderPlusFileName", std::nullopt, stringValue("C:\\Program Files\\Common Files\\MSInfo"),
     {QStringLiteral("C:\\Program Files\\Common Files\\MSInfo\\MSINFO32.EXE")}, true,
     QStringLiteral("C:\\Program Files\\Common Files\\MSInfo\\MSINFO32.EXE"), true},
    {"FolderTrailingBackslashNotNormalised", std::nullopt, stringValue("C:\\MSInfo\\"),
     {QStringLiteral("C:\\MSInfo\\\\MSINFO32.EXE")}, true, QStringLiteral("C:\\MSInfo\\\\MSINFO32.EXE"), true},
    {"FolderWithoutToolFile", std::nullopt, stringValue("C:\\MSInfo"), {}, true, {}, true},
    {"NeitherKey", std::nullopt, std::nullopt, {}, true, {}, true},
    {"PathTooLongCountsAsAbsent", FakeValue{reg::kTypeString, kBig}, stringValue("C:\\MSInfo"),
     {QStringLiteral("C:\\MSInfo\\MSINFO32.EXE")}, true, QStringLiteral("C:\\MSInfo\\MSINFO32.EXE"), true},
    {"PathSizeZeroStopsAtOnce", FakeValue{reg::kTypeString, {}}, stringValue("C:\\MSInfo"),
     {QStringLiteral("C:\\MSInfo\\MSINFO32.EXE")}, true, {}, false},
    {"FolderSizeZero", std::nullopt, FakeValue{reg::kTypeString, {}}, {}, true, {}, true},
    {"PathOfOtherTypeLeavesNothingToStart", FakeValue{3, std::string("C:\\x.exe", 9)}, stringValue("C:\\MSInfo"),
     {QStringLiteral("C:\\MSInfo\\MSINFO32.EXE")}, true, {}, false},
    {"PathEmptyString", stringValue(""), std::nullopt, {}, true, {}, false},
    {"PathThatCannotStart", stringValue("C:\\broken.exe"), stringValue("C:\\MSInfo"),
     {QStringLiteral("C:\\MSInfo\\MSINFO32.EXE")}, false, QStringLiteral("C:\\broken.exe"), false},
    {"PathWithEmbeddedZeroNotCutShort", FakeValue{reg::kTypeString, std::string("C:\\a.exe\0x.exe\0", 15)},
     std::nullopt, {}, true, {}, false},
};

class StartSysInfoTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartSysInfoTest, StartsTheToolOrTellsOnce) {
    const StartCase& c = GetParam();
    Rig rig;
    if (c.pathValue) rig.registry.setValue(kPathKey, "PATH", *c.pathValue);
    if (c.folderValue) rig.registry.setValue(kFolderKey, "MSINFO", *c.folderValue);
    rig.files.files = c.files;
    rig.launcher.succeeds = c.launchSucceeds;
    QWidget* const parent = reinterpret_cast<QWidget*>(0x1234);

    rig.sysInfo.StartSysInfo(parent);

    if (!c.expectedStart.isEmpty()) {
        ASSERT_EQ(rig.launcher.calls.size(), 1u);
        EXPECT_EQ(rig.launcher.calls[0].program, c.expectedStart);
        EXPECT_TRUE(rig.launcher.calls[0].arguments.isEmpty());
    } else {
        EXPECT_TRUE(rig.launcher.calls.empty());
    }
    const bool started = !c.expectedStart.isEmpty() && c.launchSucceeds;
    if (started) {
        EXPECT_TRUE(rig.messenger.told.empty());
    } else {
        ASSERT_EQ(rig.messenger.told.size(), 1u);
        EXPECT_EQ(rig.messenger.told[0].first, parent);
        EXPECT_EQ(rig.messenger.told[0].second, kUnavailable);
    }

    ASSERT_FALSE(rig.registry.opens.empty());
    EXPECT_EQ(rig.registry.opens[0].subKey, kPathKey);
    const bool secondOpened = rig.registry.opens.size() == 2;
    EXPECT_EQ(secondOpened, c.expectSecondKey);
    if (secondOpened) {
        EXPECT_EQ(rig.registry.opens[1].subKey, kFolderKey);
    }
    // Every open, successful or not, is matched by a close, and nothing is left open.
    EXPECT_EQ(rig.registry.closes.size(), rig.registry.opens.size());
    EXPECT_EQ(rig.registry.openKeys(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartSysInfoTest, ::testing::ValuesIn(kStartCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StartSysInfo, OpensBothKeysReadOnlyUnderLocalMachine) {
    Rig rig;
    rig.sysInfo.StartSysInfo(nullptr);
    ASSERT_EQ(rig.registry.opens.size(), 2u);
    for (const auto& open : rig.registry.opens) {
        EXPECT_EQ(open.root, RegKey{0x80000002});
        EXPECT_EQ(open.options, 0u);
        // Read-only: a standard user is refused anything more, and would never get the tool.
        EXPECT_EQ(open.access, 0x20019u);
    }
    // Failed opens still close, with the empty handle.
    EXPECT_EQ(rig.registry.closes, (std::vector<RegKey>{0, 0}));
}

TEST(StartSysInfo, AsksForTheFolderFileAsNamed) {
    Rig rig;
    rig.registry.setValue(kFolderKey, "MSINFO", stringValue("D:\\Tools"));
    rig.sysInfo.StartSysInfo(nullptr);
    EXPECT_EQ(rig.files.asked, QStringList{QStringLiteral("D:\\Tools\\MSINFO32.EXE")});
}

TEST(StartSysInfo, RegistryFailureEndsInTheMessage) {
    Rig rig;
    rig.registry.setValue(kPathKey, "PATH", stringValue("C:\\x.exe"));
    rig.registry.throwOnQuery();
    rig.sysInfo.StartSysInfo(nullptr);
    EXPECT_TRUE(rig.launcher.calls.empty());
    ASSERT_EQ(rig.messenger.told.size(), 1u);
    EXPECT_EQ(rig.messenger.told[0].second, kUnavailable);
}

TEST(StartSysInfo, CanBeTriedAgainAfterTheMessage) {
    Rig rig;
    rig.sysInfo.StartSysInfo(nullptr);
    rig.registry.setValue(kPathKey, "PATH", stringValue("C:\\now.exe"));
    rig.sysInfo.StartSysInfo(nullptr);
    EXPECT_EQ(rig.messenger.told.size(), 1u);
    ASSERT_EQ(rig.launcher.calls.size(), 1u);
    EXPECT_EQ(rig.launcher.calls[0].program, QStringLiteral("C:\\now.exe"));
}

// ---------------------------------------------------------------- GetKeyValue

struct ValueCase {
    const char* name;
    std::optional<FakeValue> value;  // none: the value does not exist
    QString entry;                   // KeyVal on entry
    bool expectedResult;
    QString expectedKeyVal;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

const ValueCase kValueCases[] = {
    {"StringLosesTrailingZero", FakeValue{1, std::string("abc\0", 4)}, QStringLiteral("old"), true,
     QStringLiteral("abc")},
    {"StringWithoutZeroKeepsAllBytes", FakeValue{1, "abc"}, QString(), true, QStringLiteral("abc")},
    {"OnlyOneTrailingZeroDropped", FakeValue{1, std::string("ab\0\0", 4)}, QString(), true,
     QString::fromLatin1("ab\0", 3)},
    {"SingleZeroByteIsEmptyText", FakeValue{1, std::string("\0", 1)}, QStringLiteral("old"), true, QString()},
    {"StringBytesDecodedToUnicode", FakeValue{1, std::string("/opt/\xC3\x9C" "ber\0", 11)}, QString(), true,
     QString::fromUtf8("/opt/\xC3\x9C" "ber")},
    {"ExactlyBufferSizeFits", FakeValue{1, std::string(1024, 'y')}, QString(), true,
     QString(1024, QLatin1Char('y'))},
    {"LongerThanBufferIsAbsent", FakeValue{1, std::string(1025, 'y')}, QStringLiteral("old"), false, QString()},
    {"MissingValueEmptiesKeyVal", std::nullopt, QStringLiteral("old"), false, QString()},
    {"SizeZeroFailsAndLeavesKeyVal", FakeValue{1, std::string()}, QStringLiteral("old"), false,
     QStringLiteral("old")},
    {"NumberReversedHexDigits", FakeValue{4, std::string("\x78\x56\x34\x12", 4)}, QString(), true,
     QStringLiteral("&h12345678")},
    {"NumberDigitsWithoutLeadingZeros", FakeValue{4, std::string("\x0A\x00\x00\x00", 4)}, QString(), true,
     QStringLiteral("&h00A")},
    {"NumberFollowsEntryText", FakeValue{4, std::string("\x01\x02", 2)}, QStringLiteral("7"), true,
     QStringLiteral("&h721")},
    {"OtherTypeLeavesKeyVal", FakeValue{3, std::string("\x01\x02", 2)}, QStringLiteral("old"), true,
     QStringLiteral("old")},
};

class GetKeyValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(GetKeyValueTest, ReadsTheValueAsStored) {
    const ValueCase& c = GetParam();
    Rig rig;
    rig.registry.addKey("Some\\Key");
    if (c.value) rig.registry.setValue("Some\\Key", "Val", *c.value);
    QString keyVal = c.entry;

    const bool result =
        rig.sysInfo.GetKeyValue(reg::kLocalMachine, QStringLiteral("Some\\Key"), QStringLiteral("Val"), keyVal);

    EXPECT_EQ(result, c.expectedResult);
    EXPECT_EQ(keyVal, c.expectedKeyVal);
    ASSERT_EQ(rig.registry.opens.size(), 1u);
    EXPECT_EQ(rig.registry.queries, std::vector<std::string>{"Val"});
    ASSERT_EQ(rig.registry.closes.size(), 1u);
    EXPECT_NE(rig.registry.closes[0], RegKey{0});
    EXPECT_EQ(rig.registry.openKeys(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, GetKeyValueTest, ::testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetKeyValue, MissingKeyEmptiesKeyValAndClosesEmptyHandle) {
    Rig rig;
    QString keyVal = QStringLiteral("old");
    EXPECT_FALSE(rig.sysInfo.GetKeyValue(reg::kLocalMachine, QStringLiteral("No\\Such"), QStringLiteral("V"), keyVal));
    EXPECT_TRUE(keyVal.isEmpty());
    EXPECT_TRUE(rig.registry.queries.empty());
    EXPECT_EQ(rig.registry.closes, std::vector<RegKey>{0});
}

TEST(GetKeyValue, PassesRootAndNamesAsGiven) {
    Rig rig;
    QString keyVal;
    rig.sysInfo.GetKeyValue(RegKey{0x80000001}, QString::fromUtf8("K\xC3\xA9y"), QStringLiteral("Name"), keyVal);
    ASSERT_EQ(rig.registry.opens.size(), 1u);
    EXPECT_EQ(rig.registry.opens[0].root, RegKey{0x80000001});
    EXPECT_EQ(rig.registry.opens[0].subKey, std::string("K\xC3\xA9y"));
    EXPECT_EQ(rig.registry.opens[0].access, 0x20019u);
}

}  // namespace
}  // namespace quillbay
