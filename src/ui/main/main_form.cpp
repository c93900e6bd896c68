#include "ui/main/main_form.h"

namespace quillbay {

mainForm::mainForm(MainFormServices services, QWidget* parent) : QWidget(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("Quillbay Version 1.00"));
    resize(483, 506);
}

}  // namespace quillbay
