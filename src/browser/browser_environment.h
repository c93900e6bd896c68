// What Chromium inside QtWebEngine needs to be told before it starts, decided from the machine.
#pragma once

#include <QByteArray>

namespace quillbay {

struct BrowserHost {
    bool runningAsRoot = false;  // Chromium's sandbox refuses to run for root
    bool hasGpuDevice = false;   // without one, GPU compositing only slows start-up or fails
};

BrowserHost probeBrowserHost();

// The Chromium switches for this host, added to those the user already set (which win).
QByteArray chromiumFlags(const QByteArray& userFlags, const BrowserHost& host);

// Applies chromiumFlags() to the environment QtWebEngine reads; call before QApplication exists.
void prepareBrowserEnvironment();

}  // namespace quillbay
