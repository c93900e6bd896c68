// A rectangle drawn on the window's surface: it takes no input, so a press on it reaches the window.
#pragma once

#include <QWidget>

namespace quillbay {

class RectangleShape : public QWidget {
    Q_OBJECT
public:
    enum class Fill { None, ButtonFace };
    RectangleShape(Fill fill, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Fill fill_;
};

}  // namespace quillbay
