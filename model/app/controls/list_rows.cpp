#include "model/app/controls/list_rows.h"

const std::string& ListRows::sub_item(int row, int k) const {
    static const std::string empty;
    const auto& subs = item(row).sub_items;
    return k >= 0 && k < static_cast<int>(subs.size()) ? subs[static_cast<std::size_t>(k)] : empty;
}

bool ListRows::has_sub_item(int row, int k) const { return k >= 0 && k < static_cast<int>(item(row).sub_items.size()); }

int ListRows::find_caption(std::string_view text) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].caption == text) return static_cast<int>(i);
    return -1;
}

int ListRows::add(ListItem item) {
    items_.push_back(std::move(item));
    ++revision_;
    return count() - 1;
}

void ListRows::clear() {
    items_.clear();
    ++revision_;
}

bool ListRows::set_caption(int row, std::string caption) {
    auto& target = items_.at(static_cast<std::size_t>(row)).caption;
    if (target == caption) return false;
    target = std::move(caption);
    ++revision_;
    return true;
}

bool ListRows::set_sub_item(int row, int k, std::string text) {
    auto& subs = items_.at(static_cast<std::size_t>(row)).sub_items;
    if (k < 0) return false;
    const auto at = static_cast<std::size_t>(k);
    if (at < subs.size() && subs[at] == text) return false;
    if (at >= subs.size()) subs.resize(at + 1);
    subs[at] = std::move(text);
    ++revision_;
    return true;
}

RowFacts& ListRows::facts(int row) {
    ++revision_;
    return items_.at(static_cast<std::size_t>(row)).facts;
}
