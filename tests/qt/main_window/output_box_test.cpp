// Output boxes hold a long paragraph in pieces that only the screen sees: whatever leaves the box, and
// whatever an edit does, must be as if the paragraph were one.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <map>

#include "qt/main_window/output_box.h"

namespace quillbay {
namespace {

QString repeatedTo(const QString& unit, qsizetype length) {
    QString text = unit.repeated(length / unit.size() + 1);
    text.truncate(length);
    return text;
}

// A character never straddles two blocks: no block starts with the second half of a surrogate pair or
// with a mark that belongs to the letter before it.
void expectWholeCharactersPerBlock(const OutputBox& box) {
    for (QTextBlock block = box.document()->firstBlock(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.text().size(), OutputBox::kPieceLength) << "block " << block.blockNumber();
        if (!OutputBox::continuesParagraph(block) || block.text().isEmpty()) continue;
        EXPECT_FALSE(block.text().front().isLowSurrogate()) << "block " << block.blockNumber();
        EXPECT_FALSE(block.text().front().isMark()) << "block " << block.blockNumber();
    }
}

TEST(OutputBoxText, ComesBackExactlyAsSetWhateverItsLength) {
    const qsizetype n = OutputBox::kPieceLength;
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // one character, two UTF-16 units
    const struct {
        const char* what;
        QString text;
    } cases[] = {
        {"empty", QString()},
        {"breaks only", QStringLiteral("\r\n\r\n")},
        {"trailing break", QStringLiteral("a\r\n")},
        {"unbroken, twice the piece length", QString(2 * n + 7, QLatin1Char('x'))},
        {"a pair across the cut", QString(n - 1, QLatin1Char('x')) + clef + QString(n, QLatin1Char('y'))},
        {"marks across the cut", QString(n - 1, QLatin1Char('e')) + QString(40, QChar(0x0301)) + QStringLiteral("z")},
        {"words", repeatedTo(QStringLiteral("lorem ipsum\u00a0dolor "), 3 * n) + QStringLiteral("\r\nend")},
        {"long lines between short ones",
         QStringLiteral("<script>\r\n") + QString(n + 1, QLatin1Char('f')) + QStringLiteral("\r\n\r\n}") +
             QString(5 * n, QLatin1Char('u'))},
    };
    for (const auto& c : cases) {
        OutputBox box;
        box.setText(c.text);
        EXPECT_EQ(box.text(), c.text) << c.what;
        expectWholeCharactersPerBlock(box);
    }
}

// Each edit lands where it would in the one paragraph, and undo and redo take it back and forth exactly.
TEST(OutputBoxText, EditsAtTheCutBetweenPiecesActOnTheParagraph) {
    const qsizetype n = OutputBox::kPieceLength;
    const QString original = repeatedTo(QStringLiteral("0123456789"), 2 * n + 100) + QStringLiteral("\r\nend");
    const QString pasted = QStringLiteral("p\r\nq") + QString(3 * n, QLatin1Char('w'));
    enum class Key { Enter, Backspace, Delete, Paste };
    const struct {
        const char* what;
        int block;   // where the cursor goes: this block, at its start or its end
        bool atEnd;
        int offset;  // then this many positions on
        Key key;
        QString expected;
    } cases[] = {
        {"Enter at a piece's start", 1, false, 0, Key::Enter, QString(original).insert(n, QStringLiteral("\r\n"))},
        {"Enter inside a piece", 1, false, 10, Key::Enter, QString(original).insert(n + 10, QStringLiteral("\r\n"))},
        {"Enter at a piece's end", 0, true, 0, Key::Enter, QString(original).insert(n, QStringLiteral("\r\n"))},
        {"Backspace at a piece's start", 1, false, 0, Key::Backspace, QString(original).remove(n - 1, 1)},
        {"Delete at a piece's end", 0, true, 0, Key::Delete, QString(original).remove(n, 1)},
        {"Backspace inside a piece", 1, false, 1, Key::Backspace, QString(original).remove(n, 1)},
        {"paste at a piece's start", 1, false, 0, Key::Paste, QString(original).insert(n, pasted)},
        {"paste inside a piece", 2, false, 5, Key::Paste, QString(original).insert(2 * n + 5, pasted)},
    };
    for (const auto& c : cases) {
        OutputBox box;
        box.setText(original);
        ASSERT_GE(box.document()->blockCount(), 3);
        const QTextBlock block = box.document()->findBlockByNumber(c.block);
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + (c.atEnd ? block.length() - 1 : 0) + c.offset);
        box.setTextCursor(cursor);
        switch (c.key) {
        case Key::Enter: QTest::keyClick(&box, Qt::Key_Return); break;
        case Key::Backspace: QTest::keyClick(&box, Qt::Key_Backspace); break;
        case Key::Delete: QTest::keyClick(&box, Qt::Key_Delete); break;
        case Key::Paste:
            QApplication::clipboard()->setText(pasted);
            box.paste();
            break;
        }
        EXPECT_EQ(box.text(), c.expected) << c.what;
        // Pasted text is held in pieces too, joined at most to what was left and right of the cursor.
        for (QTextBlock b = box.document()->firstBlock(); b.isValid(); b = b.next())
            EXPECT_LE(b.text().size(), 2 * n) << c.what << ", block " << b.blockNumber();
        box.undo();
        EXPECT_EQ(box.text(), original) << c.what << ", undone";
        box.redo();
        EXPECT_EQ(box.text(), c.expected) << c.what << ", redone";
    }
}

TEST(OutputBoxText, CopyAcrossTheCutGivesTheCharactersAround) {
    const qsizetype n = OutputBox::kPieceLength;
    const QString text = repeatedTo(QStringLiteral("abcdefg"), 2 * n);
    OutputBox box;
    box.setText(text);
    const QTextBlock second = box.document()->findBlockByNumber(1);
    QTextCursor selection(box.document());
    selection.setPosition(second.position() - 4);
    selection.setPosition(second.position() + 3, QTextCursor::KeepAnchor);
    box.setTextCursor(selection);
    box.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), text.mid(n - 3, 6));
}

// A long paragraph shows as the paragraph wrapped at the box's width, line for line, from its top down to
// its end, and nowhere as a line cut short where one piece ends and the next begins. Showing it is no edit.
TEST(OutputBoxText, ShowsALongParagraphWrappedAtItsWidthAndNothingElse) {
    const qsizetype n = OutputBox::kPieceLength;
    for (const QString& text : {QStringLiteral("onClick='") + QString(3 * n, QLatin1Char('x')) + QStringLiteral("()'"),
                                repeatedTo(QStringLiteral("lorem ipsum dolor sit amet, "), 3 * n)}) {
        QWidget window;
        auto* box = new OutputBox(&window);
        box->setGeometry(0, 0, 153, 49);  // txtOnclick's design size
        window.show();
        box->setText(text);
        std::map<int, int> wrapped;  // start -> length of each line of the whole paragraph
        QTextLayout whole(text, box->document()->defaultFont());
        whole.setTextOption(box->document()->defaultTextOption());
        whole.beginLayout();
        for (QTextLine line = whole.createLine(); line.isValid(); line = whole.createLine()) {
            line.setLineWidth(box->viewport()->width() - 2 * box->document()->documentMargin());
            wrapped[line.textStart()] = line.textLength();
        }
        whole.endLayout();

        QScrollBar* bar = box->verticalScrollBar();
        for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
            bar->setValue(value);
            for (QTextBlock block = box->document()->firstBlock(); block.isValid(); block = block.next()) {
                QTextCursor first(block), last(block);
                last.movePosition(QTextCursor::EndOfBlock);
                if (box->cursorRect(last).bottom() < 0 || box->cursorRect(first).top() >= box->viewport()->height())
                    continue;  // not in sight
                for (int i = 0; i < block.layout()->lineCount(); ++i) {
                    const int start = box->textOffsetAt(block.position() + block.layout()->lineAt(i).textStart());
                    ASSERT_EQ(block.layout()->lineAt(i).textLength(), wrapped.count(start) ? wrapped[start] : -1)
                        << "the line at " << start;
                }
            }
        }
        EXPECT_EQ(box->text(), text);
        EXPECT_FALSE(box->document()->isUndoAvailable());
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Z);
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box->text(), text) << "typed, then undone";
    }
}

// A screen reader gets the box's text as Copy gives it: no break between pieces, a paragraph break as CR LF,
// and offsets, the cursor and the selection counted in that text.
TEST(OutputBoxText, ReadsToAScreenReaderAsItsText) {
    const int n = static_cast<int>(OutputBox::kPieceLength);
    const QString text = QString(2 * n + 10, QLatin1Char('x')) + QStringLiteral("\r\nsecond\r\n\r\nlast");
    QWidget window;
    auto* box = new OutputBox(&window);
    box->setGeometry(0, 0, 449, 105);
    window.show();
    box->setText(text);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
    QAccessibleTextInterface* texts = reader ? reader->textInterface() : nullptr;
    ASSERT_NE(texts, nullptr);
    EXPECT_EQ(reader->text(QAccessible::Value), text);
    ASSERT_EQ(texts->text(0, texts->characterCount()), text);
    const int cr = 2 * n + 10;
    // Across a piece break, up to the CR, from the LF, over the empty line, the end.
    for (const auto& [start, end] : {std::pair{n - 3, n + 3}, {cr - 2, cr + 1}, {cr + 1, cr + 4}, {cr + 8, cr + 14},
                                     {cr + 16, cr + 18}}) {
        EXPECT_EQ(texts->text(start, end), text.mid(start, end - start)) << start;
        texts->setSelection(0, start, end);
        int from = -1, to = -1;
        texts->selection(0, &from, &to);
        const QTextCursor selected = box->textCursor();
        EXPECT_EQ(box->textBetween(selected.selectionStart(), selected.selectionEnd()), text.mid(from, to - from));
    }
    texts->setCursorPosition(cr + 2);
    EXPECT_EQ(texts->cursorPosition(), cr + 2);
    EXPECT_EQ(box->textCursor().block().text(), QStringLiteral("second"));
}

}  // namespace
}  // namespace quillbay
