#include "download/data_stream.h"

#include <algorithm>
#include <cstring>

HRESULT DataStream::Read(void* buffer, Cardinal n, Cardinal& got) {
    got = 0;
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (got < n && !chunks_.empty()) {
        const auto& chunk = chunks_.front();
        const std::size_t take = std::min<std::size_t>(n - got, chunk.size() - front_offset_);
        std::memcpy(out + got, chunk.data() + front_offset_, take);
        got += static_cast<Cardinal>(take);
        front_offset_ += take;
        waiting_ -= take;
        if (front_offset_ == chunk.size()) {
            chunks_.pop_front();
            front_offset_ = 0;
        }
    }
    return S_OK;
}

void DataStream::append(const char* data, std::size_t length) {
    if (length == 0) return;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
    chunks_.emplace_back(bytes, bytes + length);
    waiting_ += length;
    received_ += length;
}

void DataStream::discard() {
    chunks_ = {};
    front_offset_ = 0;
    waiting_ = 0;
}
