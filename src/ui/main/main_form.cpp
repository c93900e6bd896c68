#include "ui/main/main_form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>
#include <limits>
#include <vector>

#include "platform/document_opener.h"
#include "platform/file_probe.h"
#include "platform/messenger.h"
#include "platform/window_mover.h"
#include "ui/common/design.h"
#include "ui/main/artwork.h"
#include "ui/main/help_file.h"
#include "ui/main/input_box.h"
#include "ui/main/main_form_layout.h"
#include "ui/main/output_box.h"
#include "ui/main/rectangle_shape.h"

namespace quillbay {

namespace {

using mainlayout::ControlKind;
using mainlayout::ControlRow;

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Rectangles lie lowest, labels above them, and every control that takes input above the labels, so a
// box that overlaps its heading covers it. Within a layer, tab order: creation order is focus order.
int layer(ControlKind kind) {
    switch (kind) {
    case ControlKind::Rectangle: return 0;
    case ControlKind::Label: return 1;
    default: return 2;
    }
}

}  // namespace

mainForm::mainForm(MainFormServices services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("Quillbay Version 1.00"));
    setWindowIcon(globeIcon());
    setFont(design::defaultFont());
    // The whole surface is button face, like the rectangle behind the check boxes.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    buildControls();
    setGeometry(design::toPixels(mainlayout::kClientArea));

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &mainForm::openHelp);

    Form_Load();
}

mainForm::~mainForm() = default;

void mainForm::buildControls() {
    std::vector<const ControlRow*> order;
    for (const ControlRow& row : mainlayout::kControls) order.push_back(&row);
    std::stable_sort(order.begin(), order.end(), [](const ControlRow* a, const ControlRow* b) {
        if (layer(a->kind) != layer(b->kind)) return layer(a->kind) < layer(b->kind);
        return a->tabIndex < b->tabIndex;
    });

    QWidget* previousInTabOrder = nullptr;
    for (const ControlRow* row : order) {
        const QString text = qs(mainlayout::designText(*row));
        QWidget* widget = nullptr;
        switch (row->kind) {
        case ControlKind::Rectangle:
            widget = new RectangleShape(row->name == "Shape1" ? RectangleShape::Fill::ButtonFace
                                                               : RectangleShape::Fill::None,
                                        this);
            break;
        case ControlKind::Label: {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);  // "<head>" is text here, not markup
            label->setText(text);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            label->setWordWrap(true);
            widget = label;
            break;
        }
        case ControlKind::InputBox: {
            // The text goes in last: a line edit lays its text out again whenever its limit changes.
            auto* box = new InputBox(this);
            box->setMaxLength(std::numeric_limits<int>::max());
            box->setText(text);
            box->setCursorPosition(0);
            widget = box;
            break;
        }
        case ControlKind::OutputBox:
            widget = new OutputBox(this);
            break;
        case ControlKind::CheckBox:
            widget = new QCheckBox(text, this);
            break;
        case ControlKind::Button: {
            auto* button = new QPushButton(text, this);
            button->setAutoDefault(false);
            button->setDefault(false);
            widget = button;
            break;
        }
        }
        widget->setObjectName(qs(row->name));
        widget->setGeometry(design::toPixels(row->rect));
        if (row->bold) widget->setFont(design::boldFont());
        if (!row->toolTip.empty()) {
            widget->setToolTip(qs(row->toolTip));
            widget->setAccessibleDescription(qs(row->toolTip));
        }
        widget->setEnabled(row->enabledAtStart);
        if (row->kind == ControlKind::InputBox || row->kind == ControlKind::OutputBox) {
            widget->setAccessibleName(qs(mainlayout::accessibleNameFor(*row)));
        }
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previousInTabOrder) setTabOrder(previousInTabOrder, widget);
            previousInTabOrder = widget;
        }
    }

    // Labels announce the boxes they head.
    for (const ControlRow& row : mainlayout::kControls) {
        if (row.labelledBy.empty()) continue;
        if (auto* label = findChild<QLabel*>(qs(row.labelledBy))) label->setBuddy(findChild<QWidget*>(qs(row.name)));
    }

    txtFunctionname = findChild<QLineEdit*>(QStringLiteral("txtFunctionname"));
    txtWinname = findChild<QLineEdit*>(QStringLiteral("txtWinname"));
    txtUrl = findChild<QLineEdit*>(QStringLiteral("txtUrl"));
    txtWidth = findChild<QLineEdit*>(QStringLiteral("txtWidth"));
    txtHeight = findChild<QLineEdit*>(QStringLiteral("txtHeight"));
    for (const FeatureInfo& info : kFeatures) {
        checkBoxes_[static_cast<std::size_t>(info.feature)] = findChild<QCheckBox*>(qs(info.checkBox));
    }
    Command1 = findChild<QPushButton*>(QStringLiteral("Command1"));
    Command2 = findChild<QPushButton*>(QStringLiteral("Command2"));
    Command3 = findChild<QPushButton*>(QStringLiteral("Command3"));
    Command4 = findChild<QPushButton*>(QStringLiteral("Command4"));
    Command5 = findChild<QPushButton*>(QStringLiteral("Command5"));
    selectone = findChild<QPushButton*>(QStringLiteral("selectone"));
    txtScript = findChild<OutputBox*>(QStringLiteral("txtScript"));
    txtOnclick = findChild<OutputBox*>(QStringLiteral("txtOnclick"));
    txtLink = findChild<OutputBox*>(QStringLiteral("txtLink"));
    txtOnload = findChild<OutputBox*>(QStringLiteral("txtOnload"));

    connect(Command1, &QPushButton::clicked, this, &mainForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &mainForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &mainForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &mainForm::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &mainForm::Command5_Click);
    connect(selectone, &QPushButton::clicked, this, &mainForm::selectone_Click);

    txtFunctionname->setFocus();  // tab index 0 is a label, so the first box starts with the focus
}

void mainForm::Form_Load() {
    const QString folder =
        services_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : services_.programFolder;
    helpFile_ = helpFilePath(folder);
}

void mainForm::openHelp() {
    if (!services_.files || !services_.documents) return;
    if (services_.files->isFile(helpFile_)) services_.documents->open(helpFile_);
}

QLineEdit* mainForm::inputBox(SettingsField field) const {
    switch (field) {
    case SettingsField::FunctionName: return txtFunctionname;
    case SettingsField::Url: return txtUrl;
    case SettingsField::WindowName: return txtWinname;
    case SettingsField::Width: return txtWidth;
    case SettingsField::Height: return txtHeight;
    }
    return nullptr;
}

QCheckBox* mainForm::checkBox(PopupFeature feature) const { return checkBoxes_[static_cast<std::size_t>(feature)]; }

PopupSettings mainForm::readSettings() const {
    PopupSettings settings;
    for (const auto& input : mainlayout::kInputFields) {
        settings.text(input.field) = inputBox(input.field)->text().toStdString();
    }
    for (const FeatureInfo& info : kFeatures) settings.setFeature(info.feature, checkBox(info.feature)->isChecked());
    return settings;
}

void mainForm::Command1_Click() {
    const PopupSettings settings = readSettings();
    if (const auto failure = validate(settings)) {
        if (services_.messenger) services_.messenger->tell(this, qs(failure->message));
        // Not every window system hands the activation back once the box has gone; ask for it.
        activateWindow();
        inputBox(failure->field)->setFocus();
        return;
    }

    Command5->setEnabled(true);
    Command2->setEnabled(true);
    for (OutputBox* box : {txtScript, txtOnclick, txtOnload, txtLink}) box->setEnabled(true);

    const GeneratedSnippets snippets = generate(settings);
    txtScript->setText(QString::fromStdString(snippets.script));
    txtOnclick->setText(QString::fromStdString(snippets.onClick));
    txtLink->setText(QString::fromStdString(snippets.link));
    txtOnload->setText(QString::fromStdString(snippets.onLoad));

    // Disabling the focused control hands the focus down the tab order through every control about to be
    // disabled, and a line edit tabbed into selects (and lays out again) its whole text. Send it straight
    // to where that walk ends, the script box after "Generate This Code".
    QWidget* focused = focusWidget();
    if (focused == Command1 || qobject_cast<QLineEdit*>(focused) || qobject_cast<QCheckBox*>(focused))
        txtScript->setFocus(Qt::TabFocusReason);
    Command1->setEnabled(false);
    for (QLineEdit* box : {txtFunctionname, txtWinname, txtUrl, txtWidth, txtHeight}) box->setEnabled(false);
    for (PopupFeature feature : {PopupFeature::Directories, PopupFeature::Location, PopupFeature::Menubar,
                                 PopupFeature::Resize, PopupFeature::Scroll, PopupFeature::Status,
                                 PopupFeature::Toolbar}) {
        checkBox(feature)->setEnabled(false);
    }
}

void mainForm::Command2_Click() {
    if (services_.preview) services_.preview(this, readSettings());
}

void mainForm::Command3_Click() {
    if (services_.showAbout) services_.showAbout();
}

void mainForm::Command4_Click() {
    if (services_.exit) services_.exit();
}

void mainForm::Command5_Click() {
    const PopupSettings defaults = resetSettings();
    for (const auto& input : mainlayout::kInputFields) {
        QLineEdit* box = inputBox(input.field);
        box->setText(QString::fromStdString(defaults.text(input.field)));
        box->setCursorPosition(0);
    }
    for (QCheckBox* box : checkBoxes_) box->setChecked(false);

    for (QLineEdit* box : {txtFunctionname, txtWinname, txtUrl, txtWidth, txtHeight}) box->setEnabled(true);
    for (QCheckBox* box : checkBoxes_) box->setEnabled(true);

    for (OutputBox* box : {txtOnclick, txtOnload, txtLink, txtScript}) {
        box->setText(QString());
        box->setEnabled(false);
    }

    Command1->setEnabled(true);
    Command5->setEnabled(false);
    Command2->setEnabled(false);
}

void mainForm::selectone_Click() {
    if (txtScript->isEmpty()) {
        if (services_.messenger) services_.messenger->tell(this, QStringLiteral("Please Generate the Script first"));
        return;
    }
    txtScript->selectAll();
    txtScript->setFocus();
}

void mainForm::paintEvent(QPaintEvent*) {
    // At its own size, never stretched or tiled; its transparent colour lets the surface show through.
    const qreal ratio = devicePixelRatioF();
    if (banner_.isNull() || banner_.devicePixelRatio() != (ratio > 1.0 ? 2.0 : 1.0)) banner_ = bannerPicture(ratio);
    QPainter painter(this);
    painter.drawPixmap(QRect(0, 0, mainlayout::kBannerWidth, mainlayout::kBannerHeight), banner_);
}

void mainForm::mousePressEvent(QMouseEvent* event) { Form_MouseDown(event); }

void mainForm::Form_MouseDown(QMouseEvent* event) {
    // Presses that a control ignored (a label, a disabled box, the margin of a check box) bubble up here;
    // only a press on the bare surface, the banner or a rectangle drags the window.
    QWidget* hit = childAt(event->position().toPoint());
    if (hit && !qobject_cast<RectangleShape*>(hit)) return;
    if (services_.mover) services_.mover->startMove(this);
    event->accept();
}

}  // namespace quillbay
