// Input as a person gives it on the test's X display: xdotool, through XTEST.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

namespace quillbay::testing {

// Runs xdotool with `args`, then lets the program take in what the X server sent it.
inline void xdotool(const QStringList& args) {
    QProcess::execute(QStringLiteral("xdotool"), args);
    QTest::qWait(60);
}

}  // namespace quillbay::testing
