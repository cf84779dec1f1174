#pragma once

#include "model/app/controls/text_control.h"

// A one-line text field holding bytes (UTF-8 text); views convert only to draw.
class TextField : public TextControl {
public:
    explicit TextField(std::string text, QObject* parent = nullptr) : TextControl(std::move(text), parent) {}

    const std::string& text() const { return text_value(); }
    void set_text(std::string text) { set_text_value(std::move(text)); }
};
