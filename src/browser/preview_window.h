// The preview browser's window: a web view with an address bar, a tool bar, a menu bar and a
// status bar that the tool switches on and off, sized from the outside in.
#pragma once

#include <QMainWindow>
#include <QSize>
#include <QUrl>

#include "core/preview/web_browser.h"

class QAction;
class QLineEdit;
class QProgressBar;
class QToolBar;
class QWebEngineProfile;
class QWebEngineView;

namespace quillbay {

class PreviewWindow final : public QMainWindow, public WebBrowser {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent = nullptr);
    ~PreviewWindow() override;

    HResult put_Visible(VariantBool visible) override;
    HResult Navigate(const std::string& url) override;
    HResult Navigate(const QString& url);  // as typed into its own address bar
    HResult put_Height(std::int32_t height) override;
    HResult put_Width(std::int32_t width) override;
    HResult put_AddressBar(VariantBool on) override;
    HResult put_StatusBar(VariantBool on) override;
    HResult put_ToolBar(std::int32_t on) override;
    HResult put_MenuBar(VariantBool on) override;
    HResult put_Resizable(VariantBool on) override;

    QWebEngineView* view() const { return view_; }
    bool isResizable() const { return resizable_; }
    // Outer size asked for so far; a side never asked for is 0. The window itself never grows
    // past the available area of its screen.
    QSize requestedOuterSize() const { return outer_; }
    // False from a request to show the window until the window system has put it on screen.
    bool isSettled() const { return !awaitingScreen_; }

    // Largest outer size accepted: what the X protocol can carry.
    static constexpr std::int32_t kMaxSide = 32767;

signals:
    // The window asked for is on screen (or was hidden again).
    void settled();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBars();
    void applySize();
    QSize frameExtra() const;
    void showLoading(bool loading);
    void watchNativeWindow();
    void settle();

    QWebEngineProfile* profile_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QToolBar* addressBar_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QAction* reloadStop_ = nullptr;
    QUrl home_;
    bool loading_ = false;
    bool resizable_ = true;
    bool awaitingScreen_ = false;
    QSize outer_{0, 0};
    QSize clientSet_;  // the inner size last given for outer_, to tell our resizes from the user's
    QSize extraUsed_;  // the frame we allowed for then
};

}  // namespace quillbay
