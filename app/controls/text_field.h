#pragma once

#include "app/controls/assign_changed.h"

#include <QObject>

#include <string>

// A one-line text field holding bytes (UTF-8 text); views convert only to draw.
class TextField : public QObject {
    Q_OBJECT
public:
    explicit TextField(std::string text, QObject* parent = nullptr) : QObject(parent), text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    void set_text(std::string text) {
        if (assign_changed(text_, std::move(text))) emit changed();
    }

signals:
    void changed();

private:
    std::string text_;
};
