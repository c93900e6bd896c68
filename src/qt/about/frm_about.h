// The About window: the program's title and version, and a way to start the system-information tool.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>

#include "core/about/about_behaviour.h"
#include "core/about/about_layout.h"
#include "platform/registry.h"

class QLabel;
class QPushButton;

namespace quillbay {

class SysInfoLauncher;

// The Qt view of the About window, built from its layout table, with AboutBehaviour's commands.
class frmAbout : public QDialog, private AboutView {
    Q_OBJECT
public:
    // Client area, in twips.
    static constexpr int kClientWidth = aboutlayout::kClientWidth;
    static constexpr int kClientHeight = aboutlayout::kClientHeight;

    // Lays the window out as designed, then loads it (Form_Load).
    explicit frmAbout(SysInfoLauncher& launcher, QWidget* parent = nullptr);

    void StartSysInfo();
    bool GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // AboutView
    void setCaption(const std::string& caption) override;
    void setLabel(std::string_view label, const std::string& text) override;
    void tell(const std::string& message) override;
    void unload() override;

    SysInfoLauncher& launcher_;
    AboutBehaviour behaviour_;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

}  // namespace quillbay
