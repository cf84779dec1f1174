#pragma once

#include "model/app/controls/row_facts.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A row of a report-style list: the caption stands in column 0, sub-item k - 1 in column k.
// A row may hold fewer or more sub-items than the list has columns (a loaded file can).
struct ListItem {
    std::string caption;
    std::vector<std::string> sub_items;
    RowFacts facts = {};
};

// The rows of one list of a research: each row's cell texts and the values behind them. No Qt:
// the research's state owns them and the readers that need no window (summary, JSON, CSV) read
// them; a ListView presents them and is the one way to change them, so that views follow.
class ListRows {
public:
    int count() const { return static_cast<int>(items_.size()); }
    const ListItem& item(int row) const { return items_.at(static_cast<std::size_t>(row)); }
    const std::vector<ListItem>& items() const { return items_; }
    // Sub-item k of the row, or an empty text when the row has fewer sub-items.
    const std::string& sub_item(int row, int k) const;
    bool has_sub_item(int row, int k) const;
    // The first row whose caption equals text exactly (case-sensitive), or -1.
    int find_caption(std::string_view text) const;
    // Grows with every change; lets a reader notice changes made behind its back.
    std::uint64_t revision() const { return revision_; }

    // The changes, each made by the presenting ListView; the setters return whether anything changed.
    int add(ListItem item);
    void clear();
    bool set_caption(int row, std::string caption);
    bool set_sub_item(int row, int k, std::string text);
    RowFacts& facts(int row);

private:
    std::vector<ListItem> items_;
    std::uint64_t revision_ = 0;
};
