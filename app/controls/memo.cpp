#include "app/controls/memo.h"

#include "analysis/text_case.h"

Memo::Memo(QObject* parent) : QObject(parent) {}

Memo::Memo(std::vector<std::string> initial_lines, QObject* parent)
    : QObject(parent), lines_(std::move(initial_lines)) {}

std::string_view Memo::line(int index) const {
    std::string_view whole = lines_.at(static_cast<std::size_t>(index));
    return whole.substr(0, kLineReadLimit);
}

void Memo::add_line(std::string text) {
    lines_.push_back(std::move(text));
    emit line_added(count() - 1);
}

void Memo::delete_line(int index) {
    if (index < 0 || index >= count()) return;
    lines_.erase(lines_.begin() + index);
    emit line_removed(index);
}

void Memo::clear() {
    lines_.clear();
    emit lines_reset();
}

void Memo::set_lines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    emit lines_reset();
}

int Memo::index_of_ignoring_case(std::string_view text) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (equals_ignoring_case(lines_[i], text)) return static_cast<int>(i);
    return -1;
}
