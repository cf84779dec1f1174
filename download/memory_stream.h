#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A growing in-memory byte stream: every byte a download received, in order.
class TMemoryStream {
public:
    void write(const std::uint8_t* data, std::size_t length) {
        bytes_.insert(bytes_.end(), data, data + length);
        position_ = bytes_.size();
    }
    // Room for a body of this size, so that it is written without the bytes moving.
    void reserve(std::size_t length) { bytes_.reserve(length); }
    std::size_t size() const { return bytes_.size(); }
    // Writes the first length bytes of block. The first block written to an empty stream whose
    // storage has room for room_wanted bytes becomes the stream's storage instead of being
    // copied; block then holds the stream's old storage.
    void write_block(std::vector<std::uint8_t>& block, std::size_t length, std::size_t room_wanted) {
        length = std::min(length, block.size());
        if (bytes_.empty() && length > 0 && block.capacity() >= room_wanted) {
            bytes_.swap(block);
            bytes_.resize(length);
            position_ = length;
            block.clear();
            return;
        }
        if (bytes_.capacity() < room_wanted) bytes_.reserve(room_wanted);
        write(block.data(), length);
    }
    std::size_t position() const { return position_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::string_view view() const { return {reinterpret_cast<const char*>(bytes_.data()), bytes_.size()}; }
    void clear() {
        bytes_.clear();
        bytes_.shrink_to_fit();
        position_ = 0;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};
