// A multi-line box that hands out exactly the characters it was given.
// A text document keeps paragraphs, not line-break characters, so the generated CR LF pairs would be lost
// on the way to the clipboard; this box writes every paragraph break back as CR LF.
//
// A text document also lays out a whole paragraph at once, and wrapping one long unbroken run costs far
// more than its length. So a paragraph longer than kPieceLength is held as several pieces, each a block
// of its own that the view lays out only when it comes into sight. The breaks between pieces are marked
// on the block that continues, and every way out of the box (text(), copy, drag, accessibility) and every
// edit (Enter, paste, Backspace, Delete) treats them as absent. On screen a piece ends where the wrapped
// paragraph would end a line anyway: before a piece is shown, the start of its last line, which the
// paragraph's next line would begin with, moves over into the piece after it.
#pragma once

#include <QPlainTextEdit>
#include <QStringView>
#include <utility>
#include <vector>

class QTextCursor;

namespace quillbay {

class OutputBox : public QPlainTextEdit {
    Q_OBJECT
public:
    // Long enough that an ordinary paragraph is never cut, short enough that laying out the pieces in
    // sight stays instant.
    static constexpr qsizetype kPieceLength = 4096;

    explicit OutputBox(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;  // paragraphs joined by CR LF
    bool isEmpty() const;

    static QString withCrLf(QString paragraphs);  // U+2029 and LF breaks as CR LF

    // Whether the block continues the paragraph of the block before it.
    static bool continuesParagraph(const QTextBlock& block);

    // Where a document position falls in text(), and back; a position between pieces has no character of
    // its own, and the CR LF of a paragraph break counts two.
    int textOffsetAt(int position) const;
    int positionAtTextOffset(int offset) const;
    // The text between two document positions, as text() writes it.
    QString textBetween(int from, int to) const;

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* event) override;

private:
    void insertPlain(QTextCursor& cursor, QStringView text);
    bool deleteAcrossPieceBreak(QKeyEvent* event);

    // Makes every piece in sight end where its own last full line does.
    void alignShownPieces();
    void forgetAlignment(int from, int to);
    // Position of each block in the document and in text(), rebuilt after a change.
    const std::vector<std::pair<int, int>>& blockOffsets() const;

    bool aligning_ = false;
    mutable std::vector<std::pair<int, int>> blockOffsets_;
};

}  // namespace quillbay
