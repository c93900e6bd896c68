#include "qt/main_window/main_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "platform/document_opener.h"
#include "platform/file_probe.h"
#include "platform/messenger.h"
#include "platform/window_mover.h"
#include "qt/common/design.h"
#include "qt/main_window/artwork.h"
#include "qt/main_window/input_box.h"
#include "core/main_window/main_form_layout.h"
#include "qt/main_window/output_box.h"
#include "qt/main_window/rectangle_shape.h"

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
    setWindowTitle(qs(mainlayout::kCaption));
    setWindowIcon(globeIcon());
    setFont(design::defaultFont());
    // The whole surface is button face, like the rectangle behind the check boxes.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    buildControls();
    setGeometry(design::toQRect(mainlayout::kClientArea));

    const QString folder =
        services_.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : services_.programFolder;
    behaviour_.Form_Load(QDir::toNativeSeparators(folder).toStdString());

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, &mainForm::openHelp);
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
            // No button is the window's default: each is while it has the focus (the default look and Enter
            // follow it), and none is while a box has it, so Enter in a box presses nothing.
            auto* button = new QPushButton(text, this);
            button->setAutoDefault(true);
            widget = button;
            break;
        }
        }
        widget->setObjectName(qs(row->name));
        controls_.emplace_back(row->name, widget);
        widget->setGeometry(design::toQRect(row->rect));
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

    for (const char* name : {"Command1", "Command2", "Command3", "Command4", "Command5", "selectone"}) {
        auto* button = static_cast<QPushButton*>(control(name));
        void (mainForm::*handler)() = nullptr;
        const std::string_view n(name);
        if (n == "Command1") handler = &mainForm::Command1_Click;
        if (n == "Command2") handler = &mainForm::Command2_Click;
        if (n == "Command3") handler = &mainForm::Command3_Click;
        if (n == "Command4") handler = &mainForm::Command4_Click;
        if (n == "Command5") handler = &mainForm::Command5_Click;
        if (n == "selectone") handler = &mainForm::selectone_Click;
        connect(button, &QPushButton::clicked, this, handler);
    }

    control("txtFunctionname")->setFocus();  // tab index 0 is a label, so the first box starts with the focus
}

void mainForm::openHelp() {
    if (!services_.files || !services_.documents) return;
    const QString file = helpFile();
    if (services_.files->isFile(file)) services_.documents->open(file);
}

QWidget* mainForm::control(std::string_view name) const {
    for (const auto& [controlName, widget] : controls_)
        if (controlName == name) return widget;
    return nullptr;
}

PopupSettings mainForm::readSettings() const { return behaviour_.readSettings(); }

void mainForm::Command1_Click() { behaviour_.Command1_Click(); }
void mainForm::Command2_Click() { behaviour_.Command2_Click(); }
void mainForm::Command3_Click() { behaviour_.Command3_Click(); }
void mainForm::Command4_Click() { behaviour_.Command4_Click(); }
void mainForm::Command5_Click() { behaviour_.Command5_Click(); }
void mainForm::selectone_Click() { behaviour_.selectone_Click(); }

std::string mainForm::text(std::string_view box) const {
    QWidget* widget = control(box);
    if (auto* input = qobject_cast<QLineEdit*>(widget)) return input->text().toStdString();
    if (auto* output = qobject_cast<OutputBox*>(widget)) return output->text().toStdString();
    return {};
}

bool mainForm::isChecked(std::string_view checkBox) const {
    auto* box = qobject_cast<QCheckBox*>(control(checkBox));
    return box && box->isChecked();
}

std::string_view mainForm::focusedControl() const {
    const QWidget* focused = focusWidget();
    for (const auto& [name, widget] : controls_)
        if (widget == focused) return name;
    return {};
}

void mainForm::setText(std::string_view box, const std::string& text) {
    QWidget* widget = control(box);
    const QString value = QString::fromStdString(text);
    if (auto* input = qobject_cast<QLineEdit*>(widget)) {
        input->setText(value);
        input->setCursorPosition(0);  // the start of a long text shows, as at load
    } else if (auto* output = qobject_cast<OutputBox*>(widget)) {
        output->setText(value);
    }
}

void mainForm::setChecked(std::string_view checkBox, bool on) {
    if (auto* box = qobject_cast<QCheckBox*>(control(checkBox))) box->setChecked(on);
}

void mainForm::setEnabled(std::string_view name, bool on) {
    if (QWidget* widget = control(name)) widget->setEnabled(on);
}

void mainForm::setFocus(std::string_view name) {
    QWidget* widget = control(name);
    if (!widget) return;
    // Not every window system hands the activation back once a message box has gone; ask for it.
    if (std::exchange(messageClosed_, false)) activateWindow();
    widget->setFocus();
}

void mainForm::selectAll(std::string_view box) {
    if (auto* output = qobject_cast<OutputBox*>(control(box))) output->selectAll();
}

void mainForm::tell(const std::string& message) {
    if (services_.messenger) services_.messenger->tell(this, QString::fromStdString(message));
    messageClosed_ = true;
}

void mainForm::preview(const PopupSettings& settings) {
    if (services_.preview) services_.preview(this, settings);
}

void mainForm::showAbout() {
    if (services_.showAbout) services_.showAbout(this);
}

void mainForm::exit() {
    if (services_.exit) services_.exit();
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
    if (services_.mover) services_.mover->startMove(this, event->button(), event->globalPosition().toPoint());
    event->accept();
}

}  // namespace quillbay
