#include "platform/messenger.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

#include "quillbay/version.h"

namespace quillbay {

void QtMessenger::tell(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("quillbayMessage"));
    box.setTextFormat(Qt::PlainText);  // messages quote what the user typed: "<b>" there is text, not markup
    // Some styles decorate dialog buttons with a tick; the message is meant to carry no picture at all.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

}  // namespace quillbay
