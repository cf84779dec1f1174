#pragma once

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
