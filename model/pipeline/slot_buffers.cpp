#include "model/pipeline/slot_buffers.h"

#include <algorithm>

void SlotBuffers::append(int slot, std::string_view entry) {
    if (!valid(slot)) return;
    auto& buffer = buffers_[static_cast<std::size_t>(slot)];
    buffer.bytes.append(entry);
    buffer.entry_ends.push_back(buffer.bytes.size());
}

void SlotBuffers::reserve(int slot, std::size_t bytes) {
    if (!valid(slot)) return;
    auto& buffer = buffers_[static_cast<std::size_t>(slot)];
    buffer.bytes.reserve(std::min(bytes, kLargestReserve));
}

std::vector<std::string_view> SlotBuffers::entries(int slot) const {
    std::vector<std::string_view> views;
    if (!valid(slot)) return views;
    const auto& buffer = buffers_[static_cast<std::size_t>(slot)];
    std::size_t begin = 0;
    for (const std::size_t end : buffer.entry_ends) {
        views.push_back(std::string_view(buffer.bytes).substr(begin, end - begin));
        begin = end;
    }
    return views;
}

std::string SlotBuffers::take_joined(int slot) {
    if (!valid(slot)) return {};
    auto& buffer = buffers_[static_cast<std::size_t>(slot)];
    std::string joined = std::move(buffer.bytes);
    clear(slot);
    return joined;
}

void SlotBuffers::clear(int slot) {
    if (!valid(slot)) return;
    buffers_[static_cast<std::size_t>(slot)] = Slot{};
}

void SlotBuffers::remove(int slot) {
    if (!valid(slot)) return;
    std::rotate(buffers_.begin() + slot, buffers_.begin() + slot + 1, buffers_.end());
    clear(kCount - 1);
}

void SlotBuffers::clear_all() {
    for (int i = 0; i < kCount; ++i) clear(i);
}
