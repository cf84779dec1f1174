#include "download/data_stream.h"

#include <algorithm>
#include <cstring>

namespace {

// The least room a new run starts with, so that small pieces arriving in one turn of the event
// loop gather in one run; larger pieces get a run of their own size.
constexpr std::size_t kRunRoom = 4 * 1024;

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
    got = 0;
    if (n > 0 && !chunks_.empty() && front_offset_ == 0 && chunks_.front().size() <= n) {
        if (block.capacity() > spare_.capacity()) spare_ = std::move(block);
        block = std::move(chunks_.front());
        chunks_.pop_front();
        got = static_cast<Cardinal>(block.size());
        waiting_ -= got;
        block.push_back(0);  // within the room every run keeps
        return S_OK;
    }
    // At most the rest of the front run, so that a block stays the size of one run however
    // much is waiting.
    const std::size_t take = chunks_.empty() ? 0 : std::min<std::size_t>(n, chunks_.front().size() - front_offset_);
    block.resize(take + 1);
    Read(block.data(), static_cast<Cardinal>(take), got);
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
        const std::uint64_t rest = expected_ > received_ ? expected_ - received_ : 0;
        const auto announced = static_cast<std::size_t>(std::min<std::uint64_t>(rest, kLargestRun));
        run.reserve(std::max({length + 1, kRunRoom, announced + 1}));
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
