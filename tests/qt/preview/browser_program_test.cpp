#include "qt/preview/browser_program.h"

#include <gtest/gtest.h>

#include <QSet>

namespace quillbay {
namespace {

class FilesAt final : public FileProbe {
public:
    explicit FilesAt(QSet<QString> paths) : paths_(std::move(paths)) {}
    bool isFile(const QString& path) const override { return paths_.contains(path); }

private:
    QSet<QString> paths_;
};

struct Layout {
    const char* name;
    QString appDir;
    QSet<QString> files;
    QString expected;
};

class BrowserProgram : public ::testing::TestWithParam<Layout> {};

TEST_P(BrowserProgram, Found) {
    const Layout& l = GetParam();
    EXPECT_EQ(browserProgram(l.appDir, FilesAt(l.files)), l.expected);
}

#if defined(Q_OS_WIN)
#define EXE ".exe"
#else
#define EXE ""
#endif
const QString kInstalled = QStringLiteral("/usr/libexec/quillbay/quillbay-browser" EXE);
const QString kBeside = QStringLiteral("/usr/bin/quillbay-browser" EXE);
const QString kBuilt = QStringLiteral("/home/ann/quillbay/build/bin/quillbay-browser" EXE);
const QString kOpt = QStringLiteral("/opt/qb/libexec/quillbay/quillbay-browser" EXE);

INSTANTIATE_TEST_SUITE_P(
    Layouts, BrowserProgram,
    ::testing::Values(Layout{"Installed", "/usr/bin", {kInstalled}, kInstalled},
                      // An old copy left beside the tool must not win over the installed one.
                      Layout{"InstalledWinsOverBeside", "/usr/bin", {kInstalled, kBeside}, kInstalled},
                      Layout{"BuildFolder", "/home/ann/quillbay/build/bin", {kBuilt}, kBuilt},
                      Layout{"TrailingSlash", "/home/ann/quillbay/build/bin/", {kBuilt}, kBuilt},
                      // Neither: the message names the place beside the tool.
                      Layout{"Nowhere", "/usr/bin", {}, kBeside},
                      Layout{"OtherPrefix", "/opt/qb/bin", {kOpt}, kOpt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillbay
