#include "qt/main_window/input_box.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include "qt/main_window/single_line_validator.h"

namespace quillbay {

namespace {

// More characters than the widest box can show at once, even in the narrowest font.
constexpr qsizetype kShownLength = 1024;

}  // namespace

InputBox::InputBox(QWidget* parent) : QLineEdit(parent) { setValidator(new SingleLineValidator(this)); }

InputBox::~InputBox() = default;

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
