#include "qt/main_window/single_line_validator.h"

namespace quillbay {

qsizetype SingleLineValidator::firstBreak(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n')) return i;
    return -1;
}

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const {
    const qsizetype cut = firstBreak(input);
    if (cut < 0) return Acceptable;
    if (refusing_) {
        refused_ = input;
        return Invalid;
    }
    const qsizetype insertedEnd = pos > cut && pos <= input.size() ? pos : input.size();
    input.remove(cut, insertedEnd - cut);
    // Breaks after the cursor cannot come from this edit; none may be stored all the same.
    if (const qsizetype stray = firstBreak(QStringView(input).sliced(cut)); stray >= 0) input.truncate(cut + stray);
    pos = static_cast<int>(cut);
    return Acceptable;
}

}  // namespace quillbay
