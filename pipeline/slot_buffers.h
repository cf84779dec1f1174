#pragma once

#include <array>
#include <string>
#include <vector>

// The page buffers of the downloads listed in download_list: buffer i belongs to line i.
// One more than the largest number of parallel downloads, so every listed line has one.
class SlotBuffers {
public:
    static constexpr int kCount = 26;

    bool valid(int slot) const { return slot >= 0 && slot < kCount; }
    // Appends one received block as one entry; ignored for a slot outside the buffers.
    void append(int slot, std::string entry);
    const std::vector<std::string>& entries(int slot) const;
    // Joins the slot's entries in order and empties the slot.
    std::string take_joined(int slot);
    void clear(int slot);
    // Line `slot` of download_list went: its buffer goes, the buffers below move up with their
    // lines and an empty one is added at the end.
    void remove(int slot);
    void clear_all();

private:
    std::array<std::vector<std::string>, kCount> buffers_{};
};
