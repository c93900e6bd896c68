// The program's one way of telling the user something.
#pragma once

#include <QString>

class QWidget;

namespace quillbay {

class Messenger {
public:
    virtual ~Messenger() = default;
    // Modal; only an OK button, no icon, the application title as caption.
    // Returns once the user has closed it.
    virtual void tell(QWidget* parent, const QString& text) = 0;
};

// The real message box.
class QtMessenger final : public Messenger {
public:
    void tell(QWidget* parent, const QString& text) override;
};

}  // namespace quillbay
