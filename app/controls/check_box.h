#pragma once

#include "app/controls/assign_changed.h"
#include "app/controls/click_action.h"

#include <QObject>

#include <string>

// A check box or radio button: caption, checked flag and an optional click action.
class CheckBox : public QObject, public ClickAction {
    Q_OBJECT
public:
    CheckBox(std::string caption, bool checked, QObject* parent = nullptr)
        : QObject(parent), caption_(std::move(caption)), checked_(checked) {}

    const std::string& caption() const { return caption_; }
    bool checked() const { return checked_; }
    void set_checked(bool checked) {
        if (assign_changed(checked_, checked)) emit changed();
    }

signals:
    void changed();

private:
    std::string caption_;
    bool checked_;
};
