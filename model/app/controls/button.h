#pragma once

#include "model/app/controls/click_action.h"
#include "model/app/controls/text_control.h"

// A button: caption, enabled flag and the click action (a view forwards clicks of enabled
// buttons only; the pipeline clicks hidden buttons from code).
class Button : public TextControl, public ClickAction {
public:
    explicit Button(std::string caption, QObject* parent = nullptr) : TextControl(std::move(caption), parent) {}

    const std::string& caption() const { return text_value(); }
    void set_caption(std::string caption) { set_text_value(std::move(caption)); }
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled) {
        if (assign_changed(enabled_, enabled)) emit changed();
    }

private:
    bool enabled_ = true;
};
