// Keeps a line edit to one line, as a single-line box of the platform the tool was designed for does:
// of whatever is pasted, dropped or inserted, only the text before its first line break is kept.
// QLineEdit would otherwise store the breaks and hide them behind blanks, and a pasted address would
// then split the generated script's string across two lines.
#pragma once

#include <QValidator>

namespace quillbay {

class SingleLineValidator final : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    // Every edit ends with the cursor just after what it inserted, so the text from the first break up to
    // the cursor is the rest of the inserted lines; the text after the cursor was there before and stays.
    State validate(QString& input, int& pos) const override;
};

}  // namespace quillbay
