#include "qt/main_window/rectangle_shape.h"

#include <QPainter>

namespace quillbay {

RectangleShape::RectangleShape(Fill fill, QWidget* parent) : QWidget(parent), fill_(fill) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void RectangleShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // One device-independent pixel wide, inside the rectangle, at any scale factor.
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (fill_ == Fill::ButtonFace) painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1.0));
    painter.drawRect(outline);
}

}  // namespace quillbay
