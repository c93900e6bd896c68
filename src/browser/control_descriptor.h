// What --control-fd names, judged before anything else starts, so that a wrong descriptor gets a plain
// answer rather than a browser that waits on nothing, or a crash.
#pragma once

#include <QString>

namespace quillbay {

struct ControlDescriptor {
    int descriptor = -1;
    QString problem;  // empty when the descriptor can carry the calls
};

// Accepts the number of an open, connected stream socket whose other end is still open, and makes it
// close-on-exec, so that none of the browser engine's own processes keeps the line to the tool open.
ControlDescriptor takeControlDescriptor(const QString& argument);

}  // namespace quillbay
