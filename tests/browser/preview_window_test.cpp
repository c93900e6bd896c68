#include "browser/preview_window.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace quillbay {
namespace {

struct Bars {
    bool address, status, tool, menu;
    bool operator==(const Bars&) const = default;
};

Bars barsOf(const PreviewWindow& w) {
    return {w.findChild<QToolBar*>(QStringLiteral("addressBar"))->isVisible(), w.statusBar()->isVisible(),
            w.findChild<QToolBar*>(QStringLiteral("toolBar"))->isVisible(), w.menuBar()->isVisible()};
}

TEST(PreviewWindow, EachCallSwitchesItsOwnBar) {
    PreviewWindow w;
    ASSERT_EQ(w.put_Visible(kVariantTrue), hr::kOk);
    EXPECT_EQ(barsOf(w), (Bars{true, true, true, true})) << "a fresh window shows every bar";

    struct Step {
        HResult (PreviewWindow::*flag)(VariantBool);
        HResult (PreviewWindow::*number)(std::int32_t);
        int value;
        Bars after;
    };
    const std::vector<Step> steps{
        {&PreviewWindow::put_AddressBar, nullptr, 0, {false, true, true, true}},
        {&PreviewWindow::put_StatusBar, nullptr, 0, {false, false, true, true}},
        {nullptr, &PreviewWindow::put_ToolBar, 0, {false, false, false, true}},
        {&PreviewWindow::put_MenuBar, nullptr, 0, {false, false, false, false}},
        {nullptr, &PreviewWindow::put_ToolBar, 1, {false, false, true, false}},
        {&PreviewWindow::put_MenuBar, nullptr, -1, {false, false, true, true}},
        {&PreviewWindow::put_AddressBar, nullptr, 1, {true, false, true, true}},  // any non-zero is true
    };
    for (const Step& s : steps) {
        const HResult result = s.flag ? (w.*s.flag)(static_cast<VariantBool>(s.value)) : (w.*s.number)(s.value);
        EXPECT_EQ(result, hr::kOk);
        EXPECT_EQ(barsOf(w), s.after);
    }
}

// Height and width are the outer size: whatever frame the window system adds is taken off the inside.
TEST(PreviewWindow, TakesTheOuterSizeAndHoldsItWhenNotResizable) {
    PreviewWindow w;
    w.put_Visible(kVariantTrue);
    EXPECT_EQ(w.put_Height(350), hr::kOk);
    EXPECT_EQ(w.put_Width(200), hr::kOk);
    EXPECT_EQ(w.frameGeometry().size(), QSize(200, 350));
    EXPECT_EQ(w.requestedOuterSize(), QSize(200, 350));

    EXPECT_EQ(w.put_Resizable(kVariantFalse), hr::kOk);
    EXPECT_FALSE(w.isResizable());
    EXPECT_EQ(w.minimumSize(), w.size());
    EXPECT_EQ(w.maximumSize(), w.size());
    EXPECT_EQ(w.frameGeometry().size(), QSize(200, 350));
    // A size given after the window was fixed moves the fixed size with it.
    EXPECT_EQ(w.put_Width(320), hr::kOk);
    EXPECT_EQ(w.maximumSize(), w.size());
    EXPECT_EQ(w.frameGeometry().size(), QSize(320, 350));

    EXPECT_EQ(w.put_Resizable(kVariantTrue), hr::kOk);
    EXPECT_NE(w.maximumSize(), w.size());
    EXPECT_EQ(w.frameGeometry().size(), QSize(320, 350));
}

TEST(PreviewWindow, RefusesSizesNoWindowCanHave) {
    PreviewWindow w;
    // The browser program takes a missing native window to mean "never shown".
    EXPECT_EQ(w.windowHandle(), nullptr);
    // Nothing on disk, so no preview locks out the next.
    EXPECT_TRUE(w.view()->page()->profile()->isOffTheRecord());
    const QSize before = w.size();
    for (std::int32_t bad : {0, -1, -2147483647 - 1, PreviewWindow::kMaxSide + 1, 2147483647}) {
        EXPECT_EQ(w.put_Height(bad), hr::kInvalidArg) << bad;
        EXPECT_EQ(w.put_Width(bad), hr::kInvalidArg) << bad;
    }
    EXPECT_EQ(w.size(), before);
}

// Past its screen a window shows nothing more, and the largest sizes exhaust the page's graphics memory.
TEST(PreviewWindow, NeverGrowsPastTheAvailableAreaOfItsScreen) {
    PreviewWindow w;
    w.put_Visible(kVariantTrue);
    const QSize available = w.screen()->availableGeometry().size();
    EXPECT_EQ(w.put_Height(PreviewWindow::kMaxSide), hr::kOk);
    EXPECT_EQ(w.put_Width(available.width() + 1), hr::kOk);
    EXPECT_EQ(w.frameGeometry().size(), available);
    EXPECT_EQ(w.requestedOuterSize(), QSize(available.width() + 1, PreviewWindow::kMaxSide));

    EXPECT_EQ(w.put_Resizable(kVariantFalse), hr::kOk);
    EXPECT_EQ(w.put_Width(PreviewWindow::kMaxSide), hr::kOk);
    EXPECT_EQ(w.frameGeometry().size(), available);
    EXPECT_EQ(w.maximumSize(), w.size());
    // One side inside the screen keeps its own length.
    EXPECT_EQ(w.put_Height(available.height() / 2), hr::kOk);
    EXPECT_EQ(w.frameGeometry().size(), QSize(available.width(), available.height() / 2));
}

TEST(PreviewWindow, ReadsAddressesAsAnAddressBarDoes) {
    PreviewWindow w;
    EXPECT_EQ(w.Navigate(QString()), hr::kInvalidArg);
    EXPECT_EQ(w.Navigate(QStringLiteral("   ")), hr::kInvalidArg);

    EXPECT_EQ(w.Navigate(QStringLiteral("www.example.invalid/popup page.html")), hr::kOk);
    QTRY_VERIFY_WITH_TIMEOUT(!w.view()->url().isEmpty(), 10000);
    const QUrl url = w.view()->url();
    EXPECT_EQ(url.scheme(), QStringLiteral("http"));
    EXPECT_EQ(url.host(), QStringLiteral("www.example.invalid"));
    EXPECT_EQ(url.path(), QStringLiteral("/popup page.html"));
}

TEST(PreviewWindow, ShowsThePageTitleAndAddress) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile page(path);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Popup under test</title></head><body>hello</body></html>");
    page.close();

    PreviewWindow w;
    w.put_Visible(kVariantTrue);
    QSignalSpy loaded(w.view(), &QWebEngineView::loadFinished);
    ASSERT_EQ(w.Navigate(path), hr::kOk);
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_TRUE(loaded.first().first().toBool());
    QTRY_COMPARE_WITH_TIMEOUT(w.windowTitle(), QStringLiteral("Popup under test"), 10000);
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("addressEdit"))->text(), QUrl::fromLocalFile(path).toDisplayString());
}

}  // namespace
}  // namespace quillbay
