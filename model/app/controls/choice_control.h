#pragma once

#include "model/app/controls/assign_changed.h"

#include <QObject>

#include <string>
#include <vector>

// The common part of the control models that show fixed entries with one of them chosen (a
// drop-down list, a tab set), and of the one change signal that views follow.
class ChoiceControl : public QObject {
    Q_OBJECT
signals:
    void changed();

protected:
    ChoiceControl(std::vector<std::string> entries, int chosen, QObject* parent)
        : QObject(parent), entries_(std::move(entries)), chosen_(chosen) {}

    const std::vector<std::string>& entries() const { return entries_; }
    int chosen() const { return chosen_; }
    // Positions outside the entries are ignored.
    void choose(int index) {
        if (index >= 0 && index < static_cast<int>(entries_.size()) && assign_changed(chosen_, index)) emit changed();
    }

private:
    std::vector<std::string> entries_;
    int chosen_;
};
