// A multi-line box that hands out exactly the characters it was given.
// A text document keeps paragraphs, not line-break characters, so the generated CR LF pairs would be lost
// on the way to the clipboard; this box writes every paragraph break back as CR LF.
#pragma once

#include <QPlainTextEdit>

namespace quillbay {

class OutputBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit OutputBox(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;  // paragraphs joined by CR LF
    bool isEmpty() const;

    static QString withCrLf(QString paragraphs);  // U+2029 and LF breaks as CR LF

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

}  // namespace quillbay
