#include "model/app/controls/int_field.h"

#include "analysis/number_text.h"
#include "model/app/controls/assign_changed.h"

#include <limits>

IntField::IntField(int initial, int min_value, int max_value, int step, int max_length, QObject* parent)
    : QObject(parent),
      text_(decimal_text(initial)),
      min_value_(min_value),
      max_value_(max_value),
      step_(step),
      max_length_(max_length) {}

void IntField::set_text(std::string text) {
    if (assign_changed(text_, std::move(text))) emit changed();
}

int IntField::clamp(long long value) const {
    if (has_limits()) {
        if (value < min_value_) return min_value_;
        if (value > max_value_) return max_value_;
    }
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

int IntField::value() const {
    const auto parsed = parse_int_strict(text_);
    // A typed value outside the limits is read as the nearest limit, as the field would correct it.
    return parsed ? clamp(*parsed) : min_value_;
}

void IntField::set_value(int value) { set_text(decimal_text(clamp(value))); }

void IntField::step_by(int direction) {
    set_value(clamp(static_cast<long long>(value()) + static_cast<long long>(direction) * step_));
}

void IntField::correct_to_limits() {
    if (!has_limits()) return;
    set_value(value());
}

bool IntField::accepts_typed_char(char32_t c) {
    if (c >= U'0' && c <= U'9') return true;
    if (c == U'+' || c == U'-' || c == U'.') return true;
    if (c == U'\r' || c == U'\n') return false;
    return c < 0x20 || c == 0x7f;
}

void IntField::set_enabled(bool enabled) {
    if (assign_changed(enabled_, enabled)) emit enabled_changed(enabled);
}
