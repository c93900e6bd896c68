// Stand-ins for the services the main window calls, and a watcher that answers real message boxes.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <ostream>
#include <vector>

#include "platform/messenger.h"
#include "support/platform_fakes.h"
#include "qt/main_window/main_form.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace quillbay::testing {

// What a message box showed, read while it was open.
struct SeenMessage {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
    bool modal = false;
};

// Presses OK on every modal message box that opens while it lives, after noting what the box showed.
class MessageAnswerer {
public:
    MessageAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start();
    }
    const std::vector<SeenMessage>& seen() const { return seen_; }

private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        SeenMessage message;
        message.caption = box->windowTitle();
        message.text = box->text();
        message.icon = box->icon();
        message.format = box->textFormat();
        message.modal = box->isModal();
        for (QAbstractButton* button : box->buttons()) message.buttons << button->text().remove(QLatin1Char('&'));
        seen_.push_back(message);
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
        else box->reject();
    }

    QTimer timer_;
    std::vector<SeenMessage> seen_;
};

// A main window wired to fakes and the real message box, shown and active.
struct FormRig {
    QtMessenger messenger;
    FakeMover mover;
    FakeFileProbe files;
    FakeDocumentOpener opener;
    std::vector<PopupSettings> previews;
    std::vector<QWidget*> previewParents;
    int aboutShown = 0;
    std::vector<QWidget*> aboutOwners;
    int exits = 0;
    std::unique_ptr<mainForm> form;

    explicit FormRig(const QString& programFolder = QStringLiteral("/opt/quillbay")) {
        MainFormServices services;
        services.messenger = &messenger;
        services.mover = &mover;
        services.files = &files;
        services.documents = &opener;
        services.programFolder = programFolder;
        services.preview = [this](QWidget* parent, const PopupSettings& s) {
            previewParents.push_back(parent);
            previews.push_back(s);
        };
        services.showAbout = [this](QWidget* owner) {
            ++aboutShown;
            aboutOwners.push_back(owner);
        };
        services.exit = [this] { ++exits; };
        form = std::make_unique<mainForm>(std::move(services));
    }

    template <typename T = QWidget>
    T* control(const char* name) const {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
};

}  // namespace quillbay::testing
