#include "qt/main_window/input_box.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include "qt/main_window/single_line_validator.h"

namespace quillbay {

namespace {

// More characters than the widest box can show at once, even in the narrowest font.
constexpr qsizetype kShownLength = 1024;

}  // namespace

InputBox::InputBox(QWidget* parent) : QLineEdit(parent), validator_(new SingleLineValidator(this)) {
    setValidator(validator_);
}

InputBox::~InputBox() = default;

template <typename Edit>
auto InputBox::asUserEdit(Edit&& edit) {
    const bool outer = validator_->refusing();
    validator_->setRefusing(true);
    struct Restore {
        SingleLineValidator* validator;
        bool refusing;
        ~Restore() { validator->setRefusing(refusing); }
    } restore{validator_, outer};
    const auto result = edit();
    redoRefusedEdit();
    return result;
}

void InputBox::redoRefusedEdit() {
    const std::optional<QString> refused = validator_->takeRefused();
    if (!refused) return;
    const QString now = text();
    // Set by the program while the user edited (a slot, say): nothing was rolled back, so cut it here.
    if (const qsizetype stray = SingleLineValidator::firstBreak(now); stray >= 0) {
        setText(now.left(stray));
        return;
    }
    // Refused, the edit left the box as before it, selection included; the refused text is that text with
    // the edit's lines in place of the selection, or at the cursor.
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const qsizetype cut = SingleLineValidator::firstBreak(*refused);
    if (cut < start || QStringView(*refused).first(start) != QStringView(now).first(start)) return;
    const QString firstLine = refused->mid(start, cut - start);
    if (!firstLine.isEmpty() || hasSelectedText()) insert(firstLine);
}

bool InputBox::event(QEvent* event) {
    // Every way text arrives from the user: keys (paste among them), the middle button's paste of the
    // selection, a drop, an input method.
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
    case QEvent::InputMethod:
        return asUserEdit([&] { return QLineEdit::event(event); });
    default:
        return QLineEdit::event(event);
    }
}

void InputBox::contextMenuEvent(QContextMenuEvent* event) {
    // The menu's Paste runs later, once an item is clicked, and each item's own slot before the ones
    // connected here; so edits are refused for as long as the menu is there.
    QMenu* menu = createStandardContextMenu();
    validator_->setRefusing(true);
    // (The menu is a child of the box: tied to the validator, this never outlives it.)
    connect(menu, &QObject::destroyed, validator_, [validator = validator_] { validator->setRefusing(false); });
    for (QAction* action : menu->actions()) connect(action, &QAction::triggered, this, &InputBox::redoRefusedEdit);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void InputBox::changeEvent(QEvent* event) {
    // A disabled box shows where its text begins, whichever way it is painted.
    if (event->type() == QEvent::EnabledChange && !isEnabled() && text().size() > kLongText) setCursorPosition(0);
    QLineEdit::changeEvent(event);
}

void InputBox::paintEvent(QPaintEvent* event) {
    const QString& full = text();
    if (isEnabled() || full.size() <= kLongText) {
        QLineEdit::paintEvent(event);
        return;
    }
    if (!shown_) shown_ = std::make_unique<QLineEdit>();
    qsizetype length = kShownLength;
    if (full.at(length - 1).isHighSurrogate()) --length;  // never half a character
    shown_->setMaxLength(static_cast<int>(length));
    shown_->setText(full.left(length));
    shown_->setCursorPosition(0);
    shown_->setFont(font());
    shown_->setPalette(palette());
    shown_->setAlignment(alignment());
    shown_->setFrame(hasFrame());
    shown_->setTextMargins(textMargins());
    shown_->setLayoutDirection(layoutDirection());
    shown_->setEnabled(false);
    shown_->resize(size());
    // Drawn through a picture: rendering one widget straight onto another's painter is not supported on
    // every platform.
    const qreal ratio = devicePixelRatioF();
    QPixmap picture((QSizeF(size()) * ratio).toSize());
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    shown_->render(&picture, QPoint(), event->region(), QWidget::DrawChildren);
    QPainter(this).drawPixmap(0, 0, picture);
}

}  // namespace quillbay
