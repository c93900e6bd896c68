#include "qt/main_window/output_box.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

// Kept on a piece that ends on its own last full line, for the width it was laid out at. A piece whose
// length has changed since has lines of its own again.
struct EndsOnALine final : QTextBlockUserData {
    EndsOnALine(int length, qreal width) : length(length), width(width) {}
    int length;
    qreal width;
};

bool endsOnALine(const QTextBlock& block, qreal width) {
    const auto* mark = static_cast<const EndsOnALine*>(block.userData());
    return mark && mark->length == block.length() && mark->width == width;
}

// What a screen reader reads: the box's text exactly as text() and Copy give it, with offsets counted in
// it, so that neither the breaks between pieces nor paragraph breaks written as one character show.
class OutputBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit OutputBoxAccessible(OutputBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiLine = true;
        state.selectableText = true;
        state.editable = !box()->isReadOnly();
        state.readOnly = box()->isReadOnly();
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }

    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        const QTextCursor cursor = box()->textCursor();
        if (index != 0 || !cursor.hasSelection()) return;
        *start = box()->textOffsetAt(cursor.selectionStart());
        *end = box()->textOffsetAt(cursor.selectionEnd());
    }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index != 0) return;
        QTextCursor cursor = box()->textCursor();
        cursor.clearSelection();
        box()->setTextCursor(cursor);
    }
    void setSelection(int index, int start, int end) override {
        if (index != 0) return;
        QTextCursor cursor = box()->textCursor();
        cursor.setPosition(box()->positionAtTextOffset(start));
        cursor.setPosition(box()->positionAtTextOffset(end), QTextCursor::KeepAnchor);
        box()->setTextCursor(cursor);
    }
    int cursorPosition() const override { return box()->textOffsetAt(box()->textCursor().position()); }
    void setCursorPosition(int offset) override { setSelection(0, offset, offset); }

    QString text(int start, int end) const override {
        start = std::clamp(start, 0, characterCount());
        end = std::clamp(end, start, characterCount());
        // From the start of the piece (or break) the start falls in, through the break after the end.
        const int from = box()->positionAtTextOffset(start);
        const int to = std::min(box()->positionAtTextOffset(end) + 1, box()->document()->characterCount() - 1);
        return box()->textBetween(from, to).mid(start - box()->textOffsetAt(from), end - start);
    }
    int characterCount() const override { return box()->textOffsetAt(box()->document()->characterCount() - 1); }

    QRect characterRect(int offset) const override {
        QTextCursor at(box()->document());
        at.setPosition(box()->positionAtTextOffset(offset));
        QRect rect = box()->cursorRect(at);
        const QString character = text(offset, offset + 1);
        rect.setWidth(std::max(1, box()->fontMetrics().horizontalAdvance(character)));
        return rect.translated(box()->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->textOffsetAt(box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position());
    }
    void scrollToSubstring(int start, int) override {
        setCursorPosition(start);
        box()->ensureCursorVisible();
    }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    OutputBox* box() const { return static_cast<OutputBox*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className != QLatin1String(OutputBox::staticMetaObject.className())) return nullptr;
    auto* box = qobject_cast<OutputBox*>(object);
    return box ? new OutputBoxAccessible(box) : nullptr;
}

}  // namespace

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    static const bool accessible = (QAccessible::installFactory(&accessibleFor), true);
    Q_UNUSED(accessible);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);  // Tab moves on, as in every other box of the window
    connect(document(), &QTextDocument::contentsChange, this, [this](int from, int removed, int added) {
        blockOffsets_.clear();
        if (aligning_) return;
        forgetAlignment(from, from + std::max(removed, added));
        // After the edit is over: the document is still in the middle of it here.
        QMetaObject::invokeMethod(this, &OutputBox::alignShownPieces, Qt::QueuedConnection);
    });
}

void OutputBox::forgetAlignment(int from, int to) {
    // An edit at the start of a piece can change where the piece before it may end, too.
    QTextBlock block = document()->findBlock(from);
    if (block.previous().isValid()) block = block.previous();
    for (; block.isValid() && block.position() <= to; block = block.next()) block.setUserData(nullptr);
}

void OutputBox::alignShownPieces() {
    QTextDocument* doc = document();
    // Moving text now would lose what Redo brings back; the pieces stay as the undone edit left them.
    if (aligning_ || !isVisible() || doc->isRedoAvailable()) return;
    aligning_ = true;
    const qreal width = viewport()->width();  // what the view lays its text out at
    // Before the first edit there is nothing to undo, so nothing is lost by leaving the moves out of the
    // history; after one, they go with the last edit, which Undo takes back together with them.
    const bool firstEdit = !doc->isUndoAvailable();
    if (firstEdit) doc->setUndoRedoEnabled(false);
    QTextCursor mover(doc);
    bool moved = false;
    const qreal bottom = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        // Lays the block out, at the width it is shown at.
        if (blockBoundingGeometry(block).translated(contentOffset()).top() > bottom) break;
        if (!continuesParagraph(block.next()) || endsOnALine(block, width)) continue;
        const int start = block.position();
        const QTextLayout* lines = block.layout();
        if (lines->lineCount() >= 2) {
            if (!moved) firstEdit ? mover.beginEditBlock() : mover.joinPreviousEditBlock();
            moved = true;
            // The paragraph's next line starts where the piece's last one does, cut short as it is.
            mover.setPosition(start + lines->lineAt(lines->lineCount() - 1).textStart());
            mover.insertBlock(withContinues(block.next().blockFormat(), true));
            mover.movePosition(QTextCursor::EndOfBlock);
            mover.deleteChar();  // the old break: the rest joins the next piece
        }
        block = doc->findBlock(start);
        block.setUserData(new EndsOnALine(block.length(), width));
    }
    if (moved) mover.endEditBlock();
    if (firstEdit) doc->setUndoRedoEnabled(true);
    aligning_ = false;
}

void OutputBox::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        forgetAlignment(0, document()->characterCount());
        alignShownPieces();
    }
}

void OutputBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    alignShownPieces();
}

void OutputBox::scrollContentsBy(int dx, int dy) {
    QPlainTextEdit::scrollContentsBy(dx, dy);
    alignShownPieces();
}

void OutputBox::showEvent(QShowEvent* event) {
    QPlainTextEdit::showEvent(event);
    alignShownPieces();
}

const std::vector<std::pair<int, int>>& OutputBox::blockOffsets() const {
    if (!blockOffsets_.empty()) return blockOffsets_;
    int offset = 0;
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block.position() > 0 && !continuesParagraph(block)) offset += 2;  // CR LF
        blockOffsets_.emplace_back(block.position(), offset);
        offset += block.length() - 1;
    }
    return blockOffsets_;
}

int OutputBox::textOffsetAt(int position) const {
    const auto& blocks = blockOffsets();
    const auto after = std::upper_bound(blocks.begin(), blocks.end(), position,
                                        [](int p, const std::pair<int, int>& b) { return p < b.first; });
    if (after == blocks.begin()) return 0;
    const auto& [start, offset] = *std::prev(after);
    return offset + (position - start);
}

int OutputBox::positionAtTextOffset(int offset) const {
    const auto& blocks = blockOffsets();
    const auto after = std::upper_bound(blocks.begin(), blocks.end(), offset,
                                        [](int o, const std::pair<int, int>& b) { return o < b.second; });
    if (after == blocks.begin()) return 0;
    const auto& [start, blockOffset] = *std::prev(after);
    const int end = after == blocks.end() ? document()->characterCount() - 1 : after->first - 1;
    return std::min(start + (offset - blockOffset), end);  // inside a CR LF: the end of the line before it
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
    alignShownPieces();  // before anything paints it
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
