// Output boxes hold a long paragraph in pieces that only the screen sees: whatever leaves the box, and
// whatever an edit does, must be as if the paragraph were one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>

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

}  // namespace
}  // namespace quillbay
