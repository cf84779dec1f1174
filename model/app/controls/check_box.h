#pragma once

#include "model/app/controls/click_action.h"
#include "model/app/controls/text_control.h"

// A check box or radio button: caption, checked flag and an optional click action.
class CheckBox : public TextControl, public ClickAction {
public:
    CheckBox(std::string caption, bool checked, QObject* parent = nullptr)
        : TextControl(std::move(caption), parent), checked_(checked) {}

    const std::string& caption() const { return text_value(); }
    bool checked() const { return checked_; }
    void set_checked(bool checked) {
        if (assign_changed(checked_, checked)) emit changed();
    }

private:
    bool checked_;
};
