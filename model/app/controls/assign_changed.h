#pragma once

#include <utility>

// The control models' setters: value becomes current only when it differs, and the caller sends
// its change signal only then, so that views never redraw for nothing.
template <class T, class Value>
bool assign_changed(T& current, Value&& value) {
    if (value == current) return false;
    current = std::forward<Value>(value);
    return true;
}
