// Waiting on the preview browser without holding the tool's windows still.
// The tool waits on its browser for seconds at a time (starting it, then each call), inside the click on
// "Preview". Between short waits on the socket it handles what is already queued, so windows repaint when
// exposed or updated; everything the user does meanwhile is dropped, so no new command can start in the
// middle of the preview's steps. Timers and other sockets wait until the preview is over, so nothing of
// the tool's own runs meanwhile either.
#pragma once

#include <QObject>
#include <chrono>

namespace quillbay {

class PaintingWait final : public QObject {
public:
    // How long one wait on the socket may hold the windows before they are painted again.
    static constexpr std::chrono::milliseconds kSlice{16};

    PaintingWait();  // from here on, user input is dropped
    ~PaintingWait() override;

    // Handles the events queued so far (no user input, timers or sockets among them).
    void operator()();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quillbay
