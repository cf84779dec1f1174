#pragma once

#include "model/app/controls/text_control.h"

// A label: a caption that a view draws.
class Label : public TextControl {
public:
    explicit Label(std::string caption, QObject* parent = nullptr) : TextControl(std::move(caption), parent) {}

    const std::string& caption() const { return text_value(); }
    void set_caption(std::string caption) { set_text_value(std::move(caption)); }
};
