// Starting another program as a process of its own that this one never waits for.
#pragma once

#include <QString>
#include <QStringList>

namespace quillbay {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts `program` exactly as given (no shell, no quoting added) with `arguments`, detached.
    // Returns false when it could not be started; `pid` receives the process id when it could.
    virtual bool startDetached(const QString& program, const QStringList& arguments = {}, qint64* pid = nullptr) = 0;
};

class QtProcessLauncher final : public ProcessLauncher {
public:
    bool startDetached(const QString& program, const QStringList& arguments, qint64* pid) override;
};

}  // namespace quillbay
