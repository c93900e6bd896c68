// Whether a shared library file is whole enough to load.
// The system maps a library's segments straight from the file: a file cut short (a half-finished copy, a
// full disk) is mapped past its end, and the first touch of a page beyond it kills the process with SIGBUS
// before any error can be returned. So the file is measured against what its own headers promise first.
#pragma once

#include <QString>

namespace quillbay {

struct LibraryFileCheck {
    enum class Verdict { Whole, Missing, Unreadable, Damaged };
    Verdict verdict = Verdict::Whole;
    QString detail;  // for Unreadable and Damaged: what is wrong, as a clause ("it is cut short: ...")
};

// Where the system has no ELF libraries, only that it is a readable file is checked.
LibraryFileCheck checkLibraryFile(const QString& path);

}  // namespace quillbay
