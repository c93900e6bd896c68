// A multi-line box that hands out exactly the characters it was given.
// A text document keeps paragraphs, not line-break characters, so the generated CR LF pairs would be lost
// on the way to the clipboard; this box writes every paragraph break back as CR LF.
//
// A text document also lays out a whole paragraph at once, and wrapping one long unbroken run costs far
// more than its length. So a paragraph longer than kPieceLength is held as several pieces, each a block
// of its own that the view lays out only when it comes into sight. The breaks between pieces exist only
// on screen: they are marked on the block that continues, and every way out of the box (text(), copy,
// drag) and every edit (Enter, paste, Backspace, Delete) treats them as absent.
#pragma once

#include <QPlainTextEdit>
#include <QStringView>

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

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString textBetween(int from, int to) const;
    void insertPlain(QTextCursor& cursor, QStringView text);
    bool deleteAcrossPieceBreak(QKeyEvent* event);
};

}  // namespace quillbay
