#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The page buffers of the downloads listed in download_list: buffer i belongs to line i.
// One more than the largest number of parallel downloads, so every listed line has one.
// A slot keeps its blocks joined in one buffer as they arrive, so a finished page is taken
// out whole without another copy.
class SlotBuffers {
public:
    static constexpr int kCount = 26;
    static constexpr std::size_t kLargestReserve = 64u * 1024 * 1024;

    bool valid(int slot) const { return slot >= 0 && slot < kCount; }
    // Appends one received block as one entry; ignored for a slot outside the buffers.
    void append(int slot, std::string_view entry);
    // Makes room for a page of the given size (as the server announced it, so at most
    // kLargestReserve), so that its blocks are appended without the buffer moving.
    void reserve(int slot, std::size_t bytes);
    // The slot's entries in order, as views into its buffer (valid until it changes).
    std::vector<std::string_view> entries(int slot) const;
    // Joins the slot's entries in order and empties the slot.
    std::string take_joined(int slot);
    void clear(int slot);
    // Line `slot` of download_list went: its buffer goes, the buffers below move up with their
    // lines and an empty one is added at the end.
    void remove(int slot);
    void clear_all();

private:
    struct Slot {
        std::string bytes;
        std::vector<std::size_t> entry_ends;
    };
    std::array<Slot, kCount> buffers_{};
};
