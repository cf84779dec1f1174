#pragma once

#include "app/controls/assign_changed.h"
#include "app/controls/click_action.h"

#include <QObject>

#include <string>

// A button: caption, enabled flag and the click action (a view forwards clicks of enabled
// buttons only; the pipeline clicks hidden buttons from code).
class Button : public QObject, public ClickAction {
    Q_OBJECT
public:
    explicit Button(std::string caption, QObject* parent = nullptr) : QObject(parent), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption) {
        if (assign_changed(caption_, std::move(caption))) emit changed();
    }
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled) {
        if (assign_changed(enabled_, enabled)) emit changed();
    }

signals:
    void changed();

private:
    std::string caption_;
    bool enabled_ = true;
};
