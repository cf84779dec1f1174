#pragma once

#include <QObject>

// A progress bar: how many of how many are done; a view draws it. No total means nothing to show.
class ProgressBar : public QObject {
    Q_OBJECT
public:
    explicit ProgressBar(QObject* parent = nullptr) : QObject(parent) {}

    int done() const { return done_; }
    int total() const { return total_; }
    void set(int done, int total) {
        if (done == done_ && total == total_) return;
        done_ = done;
        total_ = total;
        emit changed();
    }

signals:
    void changed();

private:
    int done_ = 0;
    int total_ = 0;
};
