// The program's working window.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/generator/popup_script.h"
#include "core/main_window/main_form_behaviour.h"
#include "core/main_window/main_form_view.h"

namespace quillbay {

class Messenger;
class WindowMover;
class FileProbe;
class DocumentOpener;

// What the window asks of the rest of the program; tests hand in fakes.
struct MainFormServices {
    Messenger* messenger = nullptr;
    WindowMover* mover = nullptr;
    std::function<void(QWidget* parent, const PopupSettings&)> preview;  // "Preview"
    std::function<void(QWidget* owner)> showAbout;      // "About", beside its owner
    std::function<void()> exit;                         // "Exit"
    FileProbe* files = nullptr;            // does the help file exist?
    DocumentOpener* documents = nullptr;   // opens it on F1 (in this window or in About)
    QString programFolder;                 // where the help file lies; empty: the executable's folder
};

// The Qt view of the main window: its controls, laid out from the table, and the commands of
// MainFormBehaviour shown on them.
class mainForm : public QWidget, private MainFormView {
    Q_OBJECT
public:
    explicit mainForm(MainFormServices services, QWidget* parent = nullptr);
    ~mainForm() override;

    // The window's own, beside the view's by control name.
    using QWidget::setEnabled;
    using QWidget::setFocus;

    // The registered help file, set at load.
    QString helpFile() const { return QString::fromStdString(behaviour_.helpFile()); }

    // Reads the record from the window's five boxes and seven check boxes.
    PopupSettings readSettings() const;

public slots:
    void openHelp();        // F1: the help file, where there is one
    void Command1_Click();  // Generate This Code
    void Command2_Click();  // Preview
    void Command3_Click();  // About
    void Command4_Click();  // Exit
    void Command5_Click();  // Reset
    void selectone_Click(); // Select All

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void Form_MouseDown(QMouseEvent* event);

    QWidget* control(std::string_view name) const;

    // MainFormView
    std::string text(std::string_view box) const override;
    bool isChecked(std::string_view checkBox) const override;
    std::string_view focusedControl() const override;
    void setText(std::string_view box, const std::string& text) override;
    void setChecked(std::string_view checkBox, bool on) override;
    void setEnabled(std::string_view control, bool on) override;
    void setFocus(std::string_view control) override;
    void selectAll(std::string_view box) override;
    void tell(const std::string& message) override;
    void preview(const PopupSettings& settings) override;
    void showAbout() override;
    void exit() override;

    MainFormServices services_;
    MainFormBehaviour behaviour_{*this};
    QPixmap banner_;
    bool messageClosed_ = false;  // a message box has just taken the activation away
    std::vector<std::pair<std::string_view, QWidget*>> controls_;  // by the layout table's names
};

}  // namespace quillbay
