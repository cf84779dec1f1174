#pragma once

// The download layer lives on the thread whose event loop made it: its sockets, timers and
// queued calls belong to that loop. Entry points check the caller in debug builds.

#include <QThread>

class OwnerThread {
public:
    void check() const {
        Q_ASSERT_X(QThread::currentThread() == thread_, "download layer",
                   "called from another thread than the one that made it");
    }

private:
    QThread* thread_ = QThread::currentThread();
};
