// The program's working window.
#pragma once

#include <QWidget>
#include <functional>

#include "generator/popup_script.h"

namespace quillbay {

class Messenger;
class WindowMover;

// What the window asks of the rest of the program; tests hand in fakes.
struct MainFormServices {
    Messenger* messenger = nullptr;
    WindowMover* mover = nullptr;
    std::function<void(QWidget* parent, const PopupSettings&)> preview;  // "Preview"
    std::function<void()> showAbout;                    // "About"
    std::function<void()> exit;                         // "Exit"
};

class mainForm : public QWidget {
    Q_OBJECT
public:
    explicit mainForm(MainFormServices services, QWidget* parent = nullptr);

private:
    MainFormServices services_;
};

}  // namespace quillbay
