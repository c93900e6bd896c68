#include "ui/main/output_box.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

namespace quillbay {

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);  // Tab moves on, as in every other box of the window
}

QString OutputBox::withCrLf(QString paragraphs) {
    paragraphs.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    paragraphs.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    paragraphs.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return paragraphs;
}

void OutputBox::setText(const QString& text) {
    QString paragraphs = text;
    paragraphs.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(paragraphs);
}

QString OutputBox::text() const {
    // selectedText() keeps every character as typed (toPlainText() would turn no-break spaces into blanks).
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    return withCrLf(all.selectedText());
}

bool OutputBox::isEmpty() const { return document()->isEmpty(); }

QMimeData* OutputBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(withCrLf(textCursor().selectedText()));
    return data;
}

}  // namespace quillbay
