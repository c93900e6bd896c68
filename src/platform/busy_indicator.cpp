#include "platform/busy_indicator.h"

#include <QCursor>
#include <QGuiApplication>

namespace quillbay {

void QtBusyIndicator::begin() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void QtBusyIndicator::end() { QGuiApplication::restoreOverrideCursor(); }

}  // namespace quillbay
