#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

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

// A line with its break and the next line, pasted or dropped, does to the box what its first line alone
// does, Undo and Redo included; a paste is undone back to the text from before it.
TEST(InputBox, TwoLinesArriveAsTheirFirstLineAloneWouldUndoIncluded) {
    enum class Way { Keys, Menu, Drop, InputMethod };
    const struct {
        const char* what;
        Way way;
        bool overSelection;  // else after typed text
    } cases[] = {{"Ctrl+V after typing", Way::Keys, false}, {"Ctrl+V over a selection", Way::Keys, true},
                 {"menu Paste after typing", Way::Menu, false}, {"drop after typing", Way::Drop, false},
                 {"input method over a selection", Way::InputMethod, true}};
    for (const auto& c : cases) {
        // The box's text before, after the arrival (with the cursor), after Ctrl+Z and after Redo.
        const auto run = [&](const QString& arriving) {
            QWidget window;
            auto* box = new InputBox(&window);
            box->setGeometry(10, 10, 300, 22);
            window.show();
            if (c.overSelection) box->setText(QStringLiteral("https://old.example/")), box->selectAll();
            else QTest::keyClicks(box, QStringLiteral("go "));
            QStringList texts{box->text()};
            QApplication::clipboard()->setText(arriving);
            QMimeData dropped;
            dropped.setText(arriving);
            const QPoint end(box->width() - 2, box->height() / 2);
            if (c.way == Way::Keys) QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            if (c.way == Way::Menu) {
                QContextMenuEvent request(QContextMenuEvent::Keyboard, end, box->mapToGlobal(end));
                QApplication::sendEvent(box, &request);
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                for (QAction* item : menu ? menu->actions() : QList<QAction*>{})
                    if (QString(item->text()).remove(QLatin1Char('&')).startsWith(QLatin1String("Paste"))) item->trigger();
                if (menu) menu->close();
            }
            if (c.way == Way::Drop) {
                QDragEnterEvent enter(end, Qt::CopyAction, &dropped, Qt::LeftButton, {});
                QDropEvent drop(QPointF(end), Qt::CopyAction, &dropped, Qt::LeftButton, {});
                QApplication::sendEvent(box, &enter);
                QApplication::sendEvent(box, &drop);
            }
            if (c.way == Way::InputMethod) {
                QInputMethodEvent commit;
                commit.setCommitString(arriving);
                QApplication::sendEvent(box, &commit);
            }
            texts << box->text() + QStringLiteral("|%1").arg(box->cursorPosition());
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
            texts << box->text();
            box->redo();
            return texts << box->text();
        };
        const QString firstLine = QStringLiteral("https://a.example/x");
        const QStringList alone = run(firstLine), twoLines = run(firstLine + QStringLiteral("\r\nsecond"));
        EXPECT_EQ(twoLines.join(QLatin1Char('\n')).toStdString(), alone.join(QLatin1Char('\n')).toStdString()) << c.what;
        EXPECT_TRUE(alone.value(1).contains(firstLine)) << c.what << ": nothing arrived";
        if (c.way == Way::Keys || c.way == Way::Menu) {
            EXPECT_EQ(twoLines.value(2), twoLines.value(0)) << c.what;
        }
    }
}

}  // namespace
}  // namespace quillbay
