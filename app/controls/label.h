#pragma once

#include "app/controls/assign_changed.h"

#include <QObject>

#include <string>

// A label: a caption that a view draws.
class Label : public QObject {
    Q_OBJECT
public:
    explicit Label(std::string caption, QObject* parent = nullptr) : QObject(parent), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption) {
        if (assign_changed(caption_, std::move(caption))) emit changed();
    }

signals:
    void changed();

private:
    std::string caption_;
};
