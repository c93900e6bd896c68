#include "browser/preview_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWindow>

#include "core/generator/popup_script.h"

namespace quillbay {

namespace {
// Until told otherwise the window takes the tool's default popup size: the first frame, which
// the tool waits for, is then no bigger than the popup it is about to become.
QSize startSize() {
    auto number = [](std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())).toInt(); };
    return QSize(number(defaults::kWidth), number(defaults::kHeight));
}
}  // namespace

PreviewWindow::PreviewWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("previewWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Each preview is a fresh, private browser: Qt's default profile keeps nothing on disk, so
    // many can run at once.
    profile_ = QWebEngineProfile::defaultProfile();
    view_ = new QWebEngineView(this);
    view_->setObjectName(QStringLiteral("view"));
    view_->setPage(new QWebEnginePage(profile_, view_));
    setCentralWidget(view_);
    buildBars();
    setWindowTitle(QStringLiteral("Quillbay Preview"));
    resize(startSize());

    connect(view_, &QWebEngineView::titleChanged, this, [this](const QString& title) {
        setWindowTitle(title.isEmpty() ? view_->url().toDisplayString() : title);
    });
    connect(view_, &QWebEngineView::urlChanged, this,
            [this](const QUrl& url) {
                addressEdit_->setText(url.toDisplayString());
                addressEdit_->setCursorPosition(0);  // a narrow popup shows where the address begins
            });
    connect(view_->page(), &QWebEnginePage::linkHovered, this, [this](const QString& link) {
        if (link.isEmpty()) statusBar()->clearMessage();
        else statusBar()->showMessage(link);
    });
    connect(view_, &QWebEngineView::loadStarted, this, [this] { showLoading(true); });
    connect(view_, &QWebEngineView::loadProgress, this, [this](int percent) { progress_->setValue(percent); });
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
        showLoading(false);
        statusBar()->showMessage(ok ? QStringLiteral("Done") : QStringLiteral("The page could not be loaded."), 5000);
    });
}

PreviewWindow::~PreviewWindow() {
    // The page must go before the profile it was made from, which lives until the program ends.
    delete view_;
}

void PreviewWindow::buildBars() {
    QStyle* s = style();
    QWebEnginePage* page = view_->page();

    QAction* back = page->action(QWebEnginePage::Back);
    back->setIcon(s->standardIcon(QStyle::SP_ArrowBack));
    back->setShortcut(QKeySequence::Back);
    QAction* forward = page->action(QWebEnginePage::Forward);
    forward->setIcon(s->standardIcon(QStyle::SP_ArrowForward));
    forward->setShortcut(QKeySequence::Forward);
    QAction* reload = page->action(QWebEnginePage::Reload);
    reload->setIcon(s->standardIcon(QStyle::SP_BrowserReload));
    reload->setShortcut(QKeySequence::Refresh);
    QAction* stop = page->action(QWebEnginePage::Stop);
    stop->setIcon(s->standardIcon(QStyle::SP_BrowserStop));
    stop->setShortcut(Qt::Key_Escape);
    auto* home = new QAction(s->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Home"), this);
    home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    connect(home, &QAction::triggered, this, [this] {
        if (!home_.isEmpty()) view_->load(home_);
    });
    auto* close = new QAction(QStringLiteral("&Close"), this);
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, &QWidget::close);
    // The shortcuts keep working while the menu bar is hidden.
    addActions({back, forward, reload, stop, home, close});

    // One button that stops a page while it loads and reloads it otherwise.
    reloadStop_ = new QAction(s->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Reload"), this);
    connect(reloadStop_, &QAction::triggered, this, [this] {
        if (loading_) view_->stop();
        else view_->reload();
    });

    QMenuBar* menus = menuBar();
    menus->setObjectName(QStringLiteral("menuBar"));
    QMenu* file = menus->addMenu(QStringLiteral("&File"));
    file->addAction(close);
    QMenu* viewMenu = menus->addMenu(QStringLiteral("&View"));
    viewMenu->addAction(reload);
    viewMenu->addAction(stop);
    QMenu* go = menus->addMenu(QStringLiteral("&Go"));
    go->addAction(back);
    go->addAction(forward);
    go->addAction(home);

    toolBar_ = addToolBar(QStringLiteral("Tool bar"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->addAction(back);
    toolBar_->addAction(forward);
    toolBar_->addAction(reloadStop_);
    toolBar_->addAction(home);

    addToolBarBreak();
    addressBar_ = addToolBar(QStringLiteral("Address bar"));
    addressBar_->setObjectName(QStringLiteral("addressBar"));
    addressBar_->setMovable(false);
    addressEdit_ = new QLineEdit(addressBar_);
    addressEdit_->setObjectName(QStringLiteral("addressEdit"));
    addressEdit_->setClearButtonEnabled(true);
    addressBar_->addWidget(addressEdit_);
    connect(addressEdit_, &QLineEdit::returnPressed, this, [this] { Navigate(addressEdit_->text()); });

    statusBar()->setObjectName(QStringLiteral("statusBar"));
    progress_ = new QProgressBar(statusBar());
    progress_->setObjectName(QStringLiteral("loadProgress"));
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(120);
    progress_->setVisible(false);
    statusBar()->addPermanentWidget(progress_);
    // Menus and bars belong to the tool, not the user: no menu for hiding them.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void PreviewWindow::showLoading(bool loading) {
    loading_ = loading;
    progress_->setVisible(loading);
    if (loading) progress_->setValue(0);
    reloadStop_->setText(loading ? QStringLiteral("Stop") : QStringLiteral("Reload"));
    reloadStop_->setIcon(style()->standardIcon(loading ? QStyle::SP_BrowserStop : QStyle::SP_BrowserReload));
}

HResult PreviewWindow::put_Visible(VariantBool visible) {
    if (!visible) {
        hide();
        settle();
        return hr::kOk;
    }
    show();
    raise();
    activateWindow();
    // The call returns now; whoever waits for the window on screen hears settled(). No event
    // loop runs here: WebEngine replaces the native window while it starts, so nothing that
    // belongs to the native window may be held across one.
    awaitingScreen_ = true;
    watchNativeWindow();
    return hr::kOk;
}

void PreviewWindow::watchNativeWindow() {
    QWindow* native = windowHandle();
    if (!native) return;
    native->installEventFilter(this);  // a second install of the same filter replaces the first
    if (native->isExposed()) settle();
}

void PreviewWindow::settle() {
    if (!awaitingScreen_) return;
    awaitingScreen_ = false;
    emit settled();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* e) {
    // Asked afresh each time: the window filtered earlier may since have been replaced.
    if (e->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) settle();
    return QMainWindow::eventFilter(watched, e);
}

HResult PreviewWindow::Navigate(const std::string& url) { return Navigate(QString::fromStdString(url)); }

HResult PreviewWindow::Navigate(const QString& text) {
    // As an address bar reads it: a missing scheme means http, a path means a local file.
    const QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid() || url.isEmpty()) return hr::kInvalidArg;
    if (home_.isEmpty()) home_ = url;
    addressEdit_->setText(text);
    view_->load(url);
    return hr::kOk;
}

HResult PreviewWindow::put_Height(std::int32_t height) {
    if (height <= 0 || height > kMaxSide) return hr::kInvalidArg;
    outer_.setHeight(height);
    applySize();
    return hr::kOk;
}

HResult PreviewWindow::put_Width(std::int32_t width) {
    if (width <= 0 || width > kMaxSide) return hr::kInvalidArg;
    outer_.setWidth(width);
    applySize();
    return hr::kOk;
}

HResult PreviewWindow::put_AddressBar(VariantBool on) {
    addressBar_->setVisible(on != 0);
    return hr::kOk;
}

HResult PreviewWindow::put_StatusBar(VariantBool on) {
    statusBar()->setVisible(on != 0);
    return hr::kOk;
}

HResult PreviewWindow::put_ToolBar(std::int32_t on) {
    toolBar_->setVisible(on != 0);
    return hr::kOk;
}

HResult PreviewWindow::put_MenuBar(VariantBool on) {
    menuBar()->setVisible(on != 0);
    return hr::kOk;
}

HResult PreviewWindow::put_Resizable(VariantBool on) {
    resizable_ = on != 0;
    statusBar()->setSizeGripEnabled(resizable_);
    if (resizable_) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        setFixedSize(size());
    }
    return hr::kOk;
}

QSize PreviewWindow::frameExtra() const {
    // Zero until a window manager has framed the window, and always zero without one.
    return frameGeometry().size() - geometry().size();
}

void PreviewWindow::applySize() {
    const QSize extra = frameExtra();
    // A window larger than its screen shows nothing more, and huge ones exhaust the graphics
    // memory of the page's surface: the outer size stops at the screen's available area.
    const QScreen* on = screen();
    const QSize limit = on ? on->availableGeometry().size() : QSize(kMaxSide, kMaxSide);
    QSize client = size();
    if (outer_.width() > 0) client.setWidth(std::max(1, std::min(outer_.width(), limit.width()) - extra.width()));
    if (outer_.height() > 0) client.setHeight(std::max(1, std::min(outer_.height(), limit.height()) - extra.height()));
    if (resizable_) resize(client);
    else setFixedSize(client);
    clientSet_ = size();
    extraUsed_ = extra;
}

bool PreviewWindow::event(QEvent* e) {
    const bool handled = QMainWindow::event(e);
    // WebEngine's render widget makes Qt replace the native window; a window waiting to be put
    // on screen waits for the new one.
    if (e->type() == QEvent::WinIdChange && awaitingScreen_) watchNativeWindow();
    // A window manager frames the window only after it is shown; the outer size asked for
    // still holds then, unless the user has resized the window in between.
    if ((e->type() == QEvent::Move || e->type() == QEvent::Show) && !outer_.isNull() &&
        frameExtra() != extraUsed_ && size() == clientSet_)
        applySize();
    return handled;
}

}  // namespace quillbay
