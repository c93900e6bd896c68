// A one-line input box: it keeps only the first line of whatever is pasted, dropped or inserted, as one
// edit that Undo takes back, and stays cheap to paint however long its text.
// A line edit shapes and draws its whole text on every paint, so a field holding a megabyte would hold the
// window up for a tenth of a second each time it is painted. Once disabled (as every input is while the
// generated code is shown) the box shows its beginning and paints only that part.
#pragma once

#include <QLineEdit>
#include <memory>

namespace quillbay {

class SingleLineValidator;

class InputBox : public QLineEdit {
    Q_OBJECT
public:
    // Texts up to this length are painted by the line edit itself; longer ones, while disabled, in part.
    static constexpr qsizetype kLongText = 4096;

    explicit InputBox(QWidget* parent = nullptr);
    ~InputBox() override;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Runs what the user does to the box; an edit in it that brings line breaks is refused, then redone
    // with the first line only.
    template <typename Edit>
    auto asUserEdit(Edit&& edit);
    // Inserts the first line of the edit the validator refused last, if any, as an edit of its own.
    void redoRefusedEdit();

    SingleLineValidator* validator_;
    // Draws the box as it would look holding only the start of its text, which is all that shows.
    std::unique_ptr<QLineEdit> shown_;
};

}  // namespace quillbay
