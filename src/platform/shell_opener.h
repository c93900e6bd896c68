// Opening a document with the program the user has chosen for its kind, as a double click would.
// Standard C++: the logic that uses it is tested anywhere with a fake.
#pragma once

#include <string>

namespace quillbay {

enum class OpenStatus { Opened, NoHandler, Failed };

struct OpenResult {
    OpenStatus status = OpenStatus::Opened;
    std::string error;  // the system's own words, when it failed
};

class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // `path` is UTF-8. Returns once the program has been started; it is never waited for.
    virtual OpenResult open(const std::string& path) = 0;
};

}  // namespace quillbay
