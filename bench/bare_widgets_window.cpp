// The yardstick for the tool's start-up: the least a Qt Widgets program showing a window of the main
// window's size can do. One window of 483 x 506 pixels with one label, nothing else.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(483, 506);
    QLabel label(QStringLiteral("Quillbay"), &window);
    label.move(16, 16);
    window.show();
    return app.exec();
}
