// Test main for the browser's own window: QtWebEngine must be configured before the
// application object exists, exactly as the browser program does it.
#include <gtest/gtest.h>

#include <QApplication>

#include "browser/browser_environment.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    quillbay::prepareBrowserEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
