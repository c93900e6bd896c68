#include "platform/messenger.h"

#include <QMessageBox>

#include "quillbay/version.h"

namespace quillbay {

void QtMessenger::tell(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("quillbayMessage"));
    box.exec();
}

}  // namespace quillbay
