// What the main window's commands do, the same in every front end: which field is checked first and with
// what message, where the focus goes, which controls each command enables and disables, the Reset values.
#pragma once

#include <string>

#include "core/generator/popup_script.h"
#include "core/main_window/main_form_view.h"

namespace quillbay {

// The help file of a program in `programFolder`: on Windows "help.chm" there, joined with the platform's
// separator; elsewhere the guide's first page, share/quillbay/guide/index.html beside the program's bin folder.
std::string helpFilePath(const std::string& programFolder);

class MainFormBehaviour {
public:
    explicit MainFormBehaviour(MainFormView& view) : view_(view) {}

    // Registers the help file beside the program.
    void Form_Load(const std::string& programFolder);
    const std::string& helpFile() const { return helpFile_; }

    // The record as the window's five boxes and seven check boxes hold it now.
    PopupSettings readSettings() const;

    void Command1_Click();  // Generate This Code
    void Command2_Click();  // Preview
    void Command3_Click();  // About
    void Command4_Click();  // Exit
    void Command5_Click();  // Reset
    void selectone_Click(); // Select All

private:
    MainFormView& view_;
    std::string helpFile_;
};

}  // namespace quillbay
