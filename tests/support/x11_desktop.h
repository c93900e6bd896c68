// Input as a person gives it on the test's X display (xdotool through XTEST), and whether a window manager
// runs there (tests/support/with_openbox.sh starts one before the test program).
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

namespace quillbay::testing {

// Runs xdotool with `args`, then lets the program take in what the X server sent it.
inline void xdotool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    p.waitForFinished(10000);
    QTest::qWait(60);
}

inline bool windowManagerRuns() {
    QProcess p;
    p.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    p.waitForFinished(5000);
    return p.readAllStandardOutput().contains("window id");
}

}  // namespace quillbay::testing
