// The program's working window.
#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

#include "generator/popup_script.h"

namespace quillbay {

class Messenger;
class WindowMover;
class FileProbe;
class DocumentOpener;
class OutputBox;

// What the window asks of the rest of the program; tests hand in fakes.
struct MainFormServices {
    Messenger* messenger = nullptr;
    WindowMover* mover = nullptr;
    std::function<void(QWidget* parent, const PopupSettings&)> preview;  // "Preview"
    std::function<void()> showAbout;                    // "About"
    std::function<void()> exit;                         // "Exit"
    FileProbe* files = nullptr;            // does the help file exist?
    DocumentOpener* documents = nullptr;   // opens it on F1
    QString programFolder;                 // where the help file lies; empty: the executable's folder
};

class mainForm : public QWidget {
    Q_OBJECT
public:
    explicit mainForm(MainFormServices services, QWidget* parent = nullptr);
    ~mainForm() override;

    // The registered help file, set at load.
    const QString& helpFile() const { return helpFile_; }

    // Reads the record from the window's five boxes and seven check boxes.
    PopupSettings readSettings() const;

public slots:
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
    void Form_Load();
    void Form_MouseDown(QMouseEvent* event);
    void openHelp();

    QLineEdit* inputBox(SettingsField field) const;
    QCheckBox* checkBox(PopupFeature feature) const;

    MainFormServices services_;
    QPixmap banner_;
    QString helpFile_;

    QLineEdit* txtFunctionname = nullptr;
    QLineEdit* txtWinname = nullptr;
    QLineEdit* txtUrl = nullptr;
    QLineEdit* txtWidth = nullptr;
    QLineEdit* txtHeight = nullptr;
    std::array<QCheckBox*, kFeatureCount> checkBoxes_{};  // in PopupFeature order
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* selectone = nullptr;
    OutputBox* txtScript = nullptr;
    OutputBox* txtOnclick = nullptr;
    OutputBox* txtLink = nullptr;
    OutputBox* txtOnload = nullptr;
};

}  // namespace quillbay
