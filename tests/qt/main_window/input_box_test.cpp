#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "qt/main_window/input_box.h"

namespace quillbay {
namespace {

// A long text in a disabled box is painted in part, yet looks as the line edit itself would paint it, and
// the box still holds all of it.
TEST(InputBox, DisabledWithALongTextLooksLikeALineEditShowingItsStart) {
    QWidget window;
    window.resize(300, 80);
    const QString text = QStringLiteral("start ") + QString(InputBox::kLongText * 4, QLatin1Char('m'));
    auto* box = new InputBox(&window);
    box->setMaxLength(text.size());
    box->setText(text);  // the cursor ends up at the end, where the text is cut off on the left
    auto* plain = new QLineEdit(&window);
    plain->setMaxLength(text.size());
    plain->setText(text);
    for (QLineEdit* edit : {static_cast<QLineEdit*>(box), plain}) edit->setGeometry(10, 10, 200, 22);
    window.show();
    QApplication::processEvents();

    box->setEnabled(false);
    plain->setEnabled(false);
    plain->setCursorPosition(0);
    EXPECT_EQ(box->grab().toImage(), plain->grab().toImage());
    EXPECT_EQ(box->text(), text);
}

}  // namespace
}  // namespace quillbay
