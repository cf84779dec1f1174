#include "pipeline/slot_buffers.h"

#include <algorithm>

void SlotBuffers::append(int slot, std::string entry) {
    if (!valid(slot)) return;
    buffers_[static_cast<std::size_t>(slot)].push_back(std::move(entry));
}

const std::vector<std::string>& SlotBuffers::entries(int slot) const {
    static const std::vector<std::string> none;
    return valid(slot) ? buffers_[static_cast<std::size_t>(slot)] : none;
}

std::string SlotBuffers::take_joined(int slot) {
    if (!valid(slot)) return {};
    auto& buffer = buffers_[static_cast<std::size_t>(slot)];
    std::size_t total = 0;
    for (const auto& entry : buffer) total += entry.size();
    std::string joined;
    joined.reserve(total);
    for (const auto& entry : buffer) joined += entry;
    buffer.clear();
    buffer.shrink_to_fit();
    return joined;
}

void SlotBuffers::clear(int slot) {
    if (!valid(slot)) return;
    auto& buffer = buffers_[static_cast<std::size_t>(slot)];
    buffer.clear();
    buffer.shrink_to_fit();
}

void SlotBuffers::remove(int slot) {
    if (!valid(slot)) return;
    std::rotate(buffers_.begin() + slot, buffers_.begin() + slot + 1, buffers_.end());
    clear(kCount - 1);
}

void SlotBuffers::clear_all() {
    for (int i = 0; i < kCount; ++i) clear(i);
}
