#include "qt/about/frm_about.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <string_view>

#include "platform/messenger.h"
#include "qt/about/sys_info_launcher.h"
#include "qt/common/design.h"

namespace quillbay {

namespace {

using aboutlayout::TextColour;

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPushButton* makeButton(const aboutlayout::ButtonRow& d, QWidget* parent) {
    auto* button = new QPushButton(qs(d.caption), parent);
    button->setObjectName(qs(d.name));
    button->setGeometry(design::toQRect(d.rect));
    return button;
}

}  // namespace

frmAbout::frmAbout(SysInfoLauncher& launcher, QWidget* parent)
    : QDialog(parent), launcher_(launcher), behaviour_(*this, launcher.lookup(), launcher.starter()) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(qs(aboutlayout::kDesignCaption));
    setFixedSize(design::toPixels(kClientWidth), design::toPixels(kClientHeight));
    setFont(design::defaultFont());

    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);

    for (const aboutlayout::LabelRow& d : aboutlayout::kLabels) {
        auto* label = new QLabel(qs(d.caption), this);
        label->setObjectName(qs(d.name));
        label->setGeometry(design::toQRect(d.rect));
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
        if (d.name == "lblTitle") lblTitle = label;
        if (d.name == "lblVersion") lblVersion = label;
    }

    for (const aboutlayout::LineRow& d : aboutlayout::kLines) {
        auto* line = new QWidget(this);
        line->setObjectName(QStringLiteral("Line1"));
        line->setProperty("index", d.index);
        const int left = design::toPixels(d.x1);
        line->setGeometry(left, design::toPixels(d.y), design::toPixels(d.x2) - left, d.widthPixels);
        QPalette colours = face;
        colours.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(0xFF000000u | d.rgb)));
        line->setPalette(colours);
        line->setAutoFillBackground(true);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    cmdOK = makeButton(aboutlayout::kButtons[0], this);
    cmdSysInfo = makeButton(aboutlayout::kButtons[1], this);
    // OK is the default: Enter presses it unless the user has moved the focus to "System Info...", which
    // then takes the default look and Enter until the focus leaves it.
    cmdOK->setAutoDefault(true);
    cmdOK->setDefault(true);
    cmdSysInfo->setAutoDefault(true);
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, [this] { behaviour_.cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { behaviour_.cmdSysInfo_Click(); });

    behaviour_.Form_Load();
}

void frmAbout::setCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void frmAbout::setLabel(std::string_view label, const std::string& text) {
    if (label == "lblTitle") lblTitle->setText(QString::fromStdString(text));
    if (label == "lblVersion") lblVersion->setText(QString::fromStdString(text));
}

void frmAbout::tell(const std::string& message) { launcher_.messenger().tell(this, QString::fromStdString(message)); }

void frmAbout::unload() { QDialog::close(); }

void frmAbout::StartSysInfo() { behaviour_.StartSysInfo(); }

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
