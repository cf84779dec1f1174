#include "download/data_stream.h"

#include <algorithm>
#include <cstring>

namespace {

// The room a new run starts with: libcurl hands over at most this much at a time, so the bytes
// of one turn of the event loop usually gather in one run.
constexpr std::size_t kRunRoom = 64 * 1024;

}  // namespace

HRESULT DataStream::Read(void* buffer, Cardinal n, Cardinal& got) {
    got = 0;
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (got < n && !chunks_.empty()) {
        auto& chunk = chunks_.front();
        const std::size_t take = std::min<std::size_t>(n - got, chunk.size() - front_offset_);
        std::memcpy(out + got, chunk.data() + front_offset_, take);
        got += static_cast<Cardinal>(take);
        front_offset_ += take;
        waiting_ -= take;
        if (front_offset_ == chunk.size()) {
            if (chunk.capacity() > spare_.capacity()) spare_ = std::move(chunk);
            chunks_.pop_front();
            front_offset_ = 0;
        }
    }
    return S_OK;
}

HRESULT DataStream::ReadBlock(std::vector<std::uint8_t>& block, Cardinal n, Cardinal& got) {
    if (n > 0 && chunks_.size() == 1 && front_offset_ == 0 && chunks_.front().size() == n) {
        if (block.capacity() > spare_.capacity()) spare_ = std::move(block);
        block = std::move(chunks_.front());
        chunks_.pop_front();
        waiting_ -= n;
        got = n;
        block.push_back(0);  // within the room every run keeps
        return S_OK;
    }
    block.resize(static_cast<std::size_t>(n) + 1);
    Read(block.data(), n, got);
    block.resize(static_cast<std::size_t>(got) + 1);
    block[got] = 0;
    return S_OK;
}

void DataStream::append(const char* data, std::size_t length) {
    if (length == 0) return;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
    if (chunks_.empty() || chunks_.back().capacity() - chunks_.back().size() < length + 1) {
        std::vector<std::uint8_t> run = std::move(spare_);
        spare_ = {};
        run.clear();
        run.reserve(std::max(length + 1, kRunRoom));
        chunks_.push_back(std::move(run));
    }
    chunks_.back().insert(chunks_.back().end(), bytes, bytes + length);
    waiting_ += length;
    received_ += length;
}

void DataStream::discard() {
    chunks_ = {};
    spare_ = {};
    front_offset_ = 0;
    waiting_ = 0;
}
