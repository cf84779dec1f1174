#pragma once

#include "model/app/controls/assign_changed.h"

#include <QObject>

#include <string>

// The common part of the control models whose face is one text (a caption, or what a field
// holds, as bytes of UTF-8 text) and of the one change signal that views follow.
class TextControl : public QObject {
    Q_OBJECT
signals:
    void changed();

protected:
    TextControl(std::string text, QObject* parent) : QObject(parent), text_(std::move(text)) {}

    const std::string& text_value() const { return text_; }
    void set_text_value(std::string&& text) {
        if (assign_changed(text_, std::move(text))) emit changed();
    }

private:
    std::string text_;
};
