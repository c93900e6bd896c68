#include "ui/about/frm_about.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <string_view>

#include "quillbay/version.h"
#include "ui/about/sys_info_launcher.h"
#include "ui/common/design.h"

namespace quillbay {

namespace {

using design::TwipsRect;

enum class TextColour { Black, ButtonText };

struct LabelDesign {
    const char* name;
    TwipsRect rect;
    const char* caption;
    TextColour colour;
    bool title;
};

// Top to bottom. lblTitle and lblVersion get their real captions at load.
constexpr LabelDesign kLabels[] = {
    {"lblTitle", {1050, 240, 3885, 480}, "Quillbay", TextColour::Black, true},
    {"lblVersion", {1050, 780, 3885, 225}, "Version : 1.00", TextColour::ButtonText, false},
    {"lblDescription", {1050, 1125, 3885, 1170},
     "Quillbay version 1.00 is very useful software for making javascript popup windos for your webpage. "
     "This software is very simple and easy to use rather than other vast software.",
     TextColour::Black, false},
    {"lblDisclaimer", {255, 2625, 3870, 465},
     "All rights to this program are reserved by Quillbay Software, www.quillbay.example.", TextColour::Black,
     false},
    {"Label1", {240, 3120, 3495, 255}, "For your feedback: feedback@quillbay.example", TextColour::ButtonText,
     false},
};

struct ButtonDesign {
    const char* name;
    TwipsRect rect;
    const char* caption;
};

// In tab order.
constexpr ButtonDesign kOkButton{"cmdOK", {4245, 2625, 1260, 345}, "OK"};
constexpr ButtonDesign kSysInfoButton{"cmdSysInfo", {4260, 3075, 1245, 345}, "&System Info..."};

struct LineDesign {
    int index;
    int x1;
    int x2;
    int y;
    QRgb colour;
    int widthPixels;
};

// The etched rule: a grey pixel row with a white band under it, drawn over it.
constexpr LineDesign kLines[] = {
    {0, 105, 5654, 2460, qRgb(255, 255, 255), 2},
    {1, 90, 5654, 2445, qRgb(128, 128, 128), 1},
};

QPushButton* makeButton(const ButtonDesign& d, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(d.caption), parent);
    button->setObjectName(QString::fromLatin1(d.name));
    button->setGeometry(design::toPixels(d.rect));
    return button;
}

}  // namespace

frmAbout::frmAbout(SysInfoLauncher& launcher, QWidget* parent) : QDialog(parent), launcher_(launcher) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About MyApp"));
    setFixedSize(design::toPixels(kClientWidth), design::toPixels(kClientHeight));
    setFont(design::defaultFont());

    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);

    for (const LabelDesign& d : kLabels) {
        auto* label = new QLabel(QString::fromUtf8(d.caption), this);
        label->setObjectName(QString::fromLatin1(d.name));
        label->setGeometry(design::toPixels(d.rect));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFocusPolicy(Qt::NoFocus);
        label->setAutoFillBackground(true);
        QPalette colours = face;
        colours.setColor(QPalette::WindowText,
                         d.colour == TextColour::Black ? QColor(Qt::black) : face.color(QPalette::ButtonText));
        label->setPalette(colours);
        if (d.title) label->setFont(design::titleFont());
        if (d.name == std::string_view("lblTitle")) lblTitle = label;
        if (d.name == std::string_view("lblVersion")) lblVersion = label;
    }

    for (const LineDesign& d : kLines) {
        auto* line = new QWidget(this);
        line->setObjectName(QStringLiteral("Line1"));
        line->setProperty("index", d.index);
        const int left = design::toPixels(d.x1);
        line->setGeometry(left, design::toPixels(d.y), design::toPixels(d.x2) - left, d.widthPixels);
        QPalette colours = face;
        colours.setColor(QPalette::Window, QColor::fromRgb(d.colour));
        line->setPalette(colours);
        line->setAutoFillBackground(true);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    cmdOK = makeButton(kOkButton, this);
    cmdSysInfo = makeButton(kSysInfoButton, this);
    // Enter presses OK wherever the focus is, also on "System Info...".
    cmdOK->setAutoDefault(false);
    cmdOK->setDefault(true);
    cmdSysInfo->setAutoDefault(false);
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::Form_Load() {
    const QString title = QString::fromLatin1(kAppTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion->setText(
        QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    lblTitle->setText(title);
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() { launcher_.StartSysInfo(this); }

bool frmAbout::GetKeyValue(RegKey KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal) {
    return launcher_.GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    // Esc is OK's, not the dialog's own reject, so it unloads the window as OK does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace quillbay
