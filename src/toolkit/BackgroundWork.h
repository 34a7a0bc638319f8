#pragma once

#include <functional>

class QObject;

// Work that may wait on a slow disk or network storage, done away from the
// user-interface thread so that the windows keep repainting and answering
// while it runs.
class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    // Runs `job` on another thread, then `done` on the user-interface thread,
    // unless `receiver` is gone by then. `job` must not touch any window.
    virtual void run(QObject& receiver, std::function<void()> job, std::function<void()> done) = 0;
};
