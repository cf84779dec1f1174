#include "model/app/controls/memo.h"

#include "analysis/text_case.h"

#include <stdexcept>

Memo::Memo(QObject* parent) : QObject(parent) {}

Memo::Memo(std::vector<std::string> initial_lines, QObject* parent)
    : QObject(parent), lines_(std::move(initial_lines)) {}

std::string_view Memo::full_line(int index) const {
    if (index < 0 || index >= count()) throw std::out_of_range("Memo line index");
    const auto i = static_cast<std::size_t>(index);
    return showing_page_ ? page_.line(i) : std::string_view(lines_[i]);
}

std::string_view Memo::line(int index) const { return full_line(index).substr(0, kLineReadLimit); }

std::vector<std::string> Memo::lines() const {
    if (!showing_page_) return lines_;
    std::vector<std::string> copy;
    copy.reserve(page_.size());
    for (std::size_t i = 0; i < page_.size(); ++i) copy.emplace_back(page_.line(i));
    return copy;
}

void Memo::own_lines() {
    if (!showing_page_) return;
    lines_ = lines();
    page_ = {};
    showing_page_ = false;
}

void Memo::add_line(std::string text) {
    own_lines();
    lines_.push_back(std::move(text));
    emit line_added(count() - 1);
}

void Memo::delete_line(int index) {
    if (index < 0 || index >= count()) return;
    own_lines();
    lines_.erase(lines_.begin() + index);
    emit line_removed(index);
}

void Memo::clear() {
    lines_.clear();
    page_ = {};
    showing_page_ = false;
    emit lines_reset();
}

void Memo::set_lines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    page_ = {};
    showing_page_ = false;
    emit lines_reset();
}

void Memo::set_page(PageLines page) {
    lines_ = {};
    page_ = std::move(page);
    showing_page_ = true;
    emit lines_reset();
}

int Memo::index_of_ignoring_case(std::string_view text) const {
    for (int i = 0; i < count(); ++i)
        if (equals_ignoring_case(full_line(i), text)) return i;
    return -1;
}
