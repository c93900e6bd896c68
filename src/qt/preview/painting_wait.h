// Waiting on the preview browser without holding the tool's windows still.
// The tool waits on its browser for seconds at a time (starting it, then each call), inside the click on
// "Preview". Between short waits on the socket it handles what is already queued, so windows repaint when
// exposed or updated. What the user does meanwhile stays queued, untouched, and is handled in order once
// the click is over: a second press of "Preview" opens a second window, and "Exit" ends the tool after
// the preview's steps, never in the middle of them. Timers and other sockets wait their turn too, so
// nothing of the tool's own runs meanwhile either.
#pragma once

#include <chrono>

namespace quillbay {

class PaintingWait final {
public:
    // How long one wait on the socket may hold the windows before they are painted again.
    static constexpr std::chrono::milliseconds kSlice{16};

    // Handles the events queued so far, except user input, timers and sockets.
    void operator()();
};

}  // namespace quillbay
