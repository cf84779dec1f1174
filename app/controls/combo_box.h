#pragma once

#include "app/controls/assign_changed.h"

#include <QObject>

#include <string>
#include <vector>

// A drop-down list: fixed entries and the chosen one's position.
class ComboBox : public QObject {
    Q_OBJECT
public:
    explicit ComboBox(std::vector<std::string> items, int item_index = 0, QObject* parent = nullptr)
        : QObject(parent), items_(std::move(items)), item_index_(item_index) {}

    const std::vector<std::string>& items() const { return items_; }
    int item_index() const { return item_index_; }
    const std::string& text() const { return items_.at(static_cast<std::size_t>(item_index_)); }
    // Positions outside the entries are ignored.
    void set_item_index(int index) {
        if (index >= 0 && index < static_cast<int>(items_.size()) && assign_changed(item_index_, index)) emit changed();
    }

signals:
    void changed();

private:
    std::vector<std::string> items_;
    int item_index_;
};
