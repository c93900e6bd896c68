#include "qt/main_window/output_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

namespace quillbay {

namespace {

// Set on a block whose break before it is only on screen.
constexpr int kContinues = QTextFormat::UserProperty + 1;
// How far back from the full length a piece may end early, to end just after a blank.
constexpr qsizetype kLookBack = 512;
// Characters either side of a cut that decide whether it falls inside a character.
constexpr qsizetype kClusterContext = 32;

// The characters a text document turns into a paragraph break; CR LF makes one break.
bool isParagraphBreak(char16_t c) { return c == u'\n' || c == u'\r' || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1; }

qsizetype breakLength(QStringView text, qsizetype at) {
    return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
}

// Where the piece of `paragraph` that starts at `from` ends.
qsizetype pieceEnd(QStringView paragraph, qsizetype from) {
    const qsizetype limit = from + OutputBox::kPieceLength;
    if (limit >= paragraph.size()) return paragraph.size();
    // Just after a blank the cut looks like any other wrap.
    for (qsizetype i = limit; i > limit - kLookBack; --i) {
        const char16_t c = paragraph[i - 1].unicode();
        if (c == u' ' || c == u'\t' || c == 0x2028) return i;
    }
    // Otherwise never inside a character: not between a surrogate pair, nor a letter and its marks.
    const qsizetype start = limit - kClusterContext;
    const qsizetype end = std::min(paragraph.size(), limit + kClusterContext);
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, paragraph.data() + start, end - start);
    clusters.setPosition(limit - start);
    if (clusters.isAtBoundary()) return limit;
    const qsizetype previous = clusters.toPreviousBoundary();
    return previous > 0 ? start + previous : limit;
}

// Calls piece(text, continues) for each block `text` is held in, in order.
template <typename PieceFn>
void forEachPiece(QStringView text, PieceFn&& piece) {
    qsizetype start = 0;
    for (;;) {
        qsizetype end = start;
        while (end < text.size() && !isParagraphBreak(text[end].unicode())) ++end;
        const QStringView paragraph = text.sliced(start, end - start);
        qsizetype from = 0;
        do {
            const qsizetype to = pieceEnd(paragraph, from);
            piece(paragraph.sliced(from, to - from), from > 0);
            from = to;
        } while (from < paragraph.size());
        if (end == text.size()) return;
        start = end + breakLength(text, end);
    }
}

QTextBlockFormat withContinues(QTextBlockFormat format, bool continues) {
    if (continues) format.setProperty(kContinues, true);
    else format.clearProperty(kContinues);
    return format;
}

}  // namespace

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);  // Tab moves on, as in every other box of the window
}

bool OutputBox::continuesParagraph(const QTextBlock& block) {
    return block.isValid() && block.blockFormat().boolProperty(kContinues);
}

QString OutputBox::withCrLf(QString paragraphs) {
    paragraphs.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    paragraphs.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    paragraphs.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return paragraphs;
}

void OutputBox::setText(const QString& text) {
    QString blocks;
    blocks.reserve(text.size() + text.size() / kPieceLength + 1);
    std::vector<bool> continues;
    forEachPiece(text, [&](QStringView piece, bool continued) {
        if (!continues.empty()) blocks.append(QChar::ParagraphSeparator);
        blocks.append(piece);
        continues.push_back(continued);
    });
    setPlainText(blocks);
    if (std::find(continues.begin(), continues.end(), true) == continues.end()) return;

    // Part of setting the text, not an edit the user could undo.
    QTextDocument* doc = document();
    const bool undo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor marker(doc);
    marker.beginEditBlock();
    QTextBlock block = doc->firstBlock();
    for (bool continued : continues) {
        if (continued) {
            marker.setPosition(block.position());
            marker.setBlockFormat(withContinues(block.blockFormat(), true));
        }
        block = block.next();
    }
    marker.endEditBlock();
    doc->setUndoRedoEnabled(undo);
}

QString OutputBox::textBetween(int from, int to) const {
    QString out;
    out.reserve(to - from);
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (block.position() > from && !continuesParagraph(block)) out += QStringLiteral("\r\n");
        const int start = std::max(from, block.position());
        const int end = std::min(to, block.position() + block.length() - 1);
        if (end > start) out += QStringView(block.text()).sliced(start - block.position(), end - start);
    }
    return out;
}

QString OutputBox::text() const { return textBetween(0, document()->characterCount() - 1); }

bool OutputBox::isEmpty() const { return document()->isEmpty(); }

QMimeData* OutputBox::createMimeDataFromSelection() const {
    const QTextCursor selection = textCursor();
    auto* data = new QMimeData;
    data->setText(textBetween(selection.selectionStart(), selection.selectionEnd()));
    return data;
}

void OutputBox::insertPlain(QTextCursor& cursor, QStringView text) {
    const QTextBlockFormat format = cursor.blockFormat();
    bool first = true;
    forEachPiece(text, [&](QStringView piece, bool continued) {
        if (!first) cursor.insertBlock(withContinues(format, continued));
        first = false;
        cursor.insertText(piece.toString());
    });
}

void OutputBox::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || !source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    insertPlain(cursor, source->text());
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

bool OutputBox::deleteAcrossPieceBreak(QKeyEvent* event) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) return false;
    if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
        if (!cursor.atBlockStart() || !continuesParagraph(cursor.block())) return false;
        while (cursor.atBlockStart() && continuesParagraph(cursor.block()))
            cursor.movePosition(QTextCursor::PreviousCharacter);
        cursor.deletePreviousChar();
    } else if (event == QKeySequence::Delete) {
        if (!cursor.atBlockEnd() || !continuesParagraph(cursor.block().next())) return false;
        while (cursor.atBlockEnd() && continuesParagraph(cursor.block().next()))
            cursor.movePosition(QTextCursor::NextCharacter);
        cursor.deleteChar();
    } else {
        return false;
    }
    setTextCursor(cursor);
    ensureCursorVisible();
    return true;
}

void OutputBox::keyPressEvent(QKeyEvent* event) {
    if (!isReadOnly()) {
        if (event == QKeySequence::InsertParagraphSeparator) {
            // A typed break is a real one, even inside a piece that continues a paragraph.
            QTextCursor cursor = textCursor();
            cursor.insertBlock(withContinues(cursor.blockFormat(), false));
            setTextCursor(cursor);
            ensureCursorVisible();
            event->accept();
            return;
        }
        if (deleteAcrossPieceBreak(event)) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace quillbay
