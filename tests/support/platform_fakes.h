// Stand-ins for the platform seams, recording what they are asked. Every suite uses these.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

#include "platform/document_opener.h"
#include "platform/file_probe.h"
#include "platform/messenger.h"
#include "platform/process_launcher.h"
#include "platform/window_mover.h"

namespace quillbay::testing {

class FakeFileProbe final : public FileProbe {
public:
    bool isFile(const QString& path) const override {
        asked.append(path);
        return files.contains(path);
    }
    QStringList files;
    mutable QStringList asked;
};

class FakeLauncher final : public ProcessLauncher {
public:
    struct Call {
        QString program;
        QStringList arguments;
    };
    bool startDetached(const QString& program, const QStringList& arguments, qint64* pid) override {
        calls.push_back({program, arguments});
        if (!succeeds) return false;
        if (pid) *pid = 4242;
        if (onStart) onStart(program, arguments);
        return true;
    }
    bool succeeds = true;
    std::vector<Call> calls;
    // Plays the started program, for tests that need it to do something.
    std::function<void(const QString& program, const QStringList& arguments)> onStart;
};

class FakeMessenger final : public Messenger {
public:
    void tell(QWidget* parent, const QString& text) override { told.push_back({parent, text}); }
    std::vector<std::pair<QWidget*, QString>> told;
};

class FakeMover final : public WindowMover {
public:
    void startMove(QWidget* window, Qt::MouseButton, QPoint) override { moved.push_back(window); }
    std::vector<QWidget*> moved;
};

class FakeDocumentOpener final : public DocumentOpener {
public:
    bool open(const QString& path) override {
        opened << path;
        return takes;
    }
    QStringList opened;
    bool takes = true;  // false: as a desktop with no viewer for it
};

}  // namespace quillbay::testing
