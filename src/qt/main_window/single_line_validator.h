// Keeps a line edit to one line, as a single-line box of the platform the tool was designed for does:
// of whatever is pasted, dropped or inserted, only the text before its first line break is kept.
// QLineEdit would otherwise store the breaks and hide them behind blanks, and a pasted address would
// then split the generated script's string across two lines.
//
// A validator that changes the text makes QLineEdit forget its undo history, so while the user edits, an
// edit that brings a break is refused whole instead: the box and its history stay as they were, and the
// box then inserts the edit's first line as an edit of its own (InputBox). Text set by the program has no
// history to keep; its breaks are cut off in place.
#pragma once

#include <QString>
#include <QValidator>
#include <optional>
#include <utility>

namespace quillbay {

class SingleLineValidator final : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    // Every edit ends with the cursor just after what it inserted, so the text from the first break up to
    // the cursor is the rest of the inserted lines; the text after the cursor was there before and stays.
    State validate(QString& input, int& pos) const override;

    // Position of the first CR or LF in `text`, or -1.
    static qsizetype firstBreak(QStringView text);

    bool refusing() const { return refusing_; }
    void setRefusing(bool refusing) { refusing_ = refusing; }
    // The text the last refused edit would have left, once.
    std::optional<QString> takeRefused() { return std::exchange(refused_, std::nullopt); }

private:
    bool refusing_ = false;
    mutable std::optional<QString> refused_;
};

}  // namespace quillbay
