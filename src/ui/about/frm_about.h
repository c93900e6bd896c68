// The About window: the program's title and version, and a way to start the system-information tool.
#pragma once

#include <QDialog>

#include "platform/registry.h"

class QLabel;
class QPushButton;

namespace quillbay {

class SysInfoLauncher;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Client area, in twips.
    static constexpr int kClientWidth = 5730;
    static constexpr int kClientHeight = 3555;

    // Lays the window out as designed, then loads it (Form_Load).
    explicit frmAbout(SysInfoLauncher& launcher, QWidget* parent = nullptr);

    void StartSysInfo();
    bool GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    SysInfoLauncher& launcher_;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

}  // namespace quillbay
