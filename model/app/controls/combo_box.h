#pragma once

#include "model/app/controls/choice_control.h"

// A drop-down list: fixed entries and the chosen one's position.
class ComboBox : public ChoiceControl {
public:
    explicit ComboBox(std::vector<std::string> items, int item_index = 0, QObject* parent = nullptr)
        : ChoiceControl(std::move(items), item_index, parent) {}

    const std::vector<std::string>& items() const { return entries(); }
    int item_index() const { return chosen(); }
    const std::string& text() const { return entries().at(static_cast<std::size_t>(chosen())); }
    // Positions outside the entries are ignored.
    void set_item_index(int index) { choose(index); }
};
