#pragma once

// The bytes of one binding's response body, in order: the layer appends what libcurl hands it,
// the binding callback reads them out. Event-loop thread only.

#include "download/hresult.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

class DataStream {
public:
    // Copies up to n waiting bytes into buffer; got = 0 when nothing is waiting. Never blocks.
    HRESULT Read(void* buffer, Cardinal n, Cardinal& got);
    // Reads up to n waiting bytes, at most one run of them (what arrived together, up to about
    // 64 KB), into block, followed by one zero byte (block.size() == got + 1). A run asked for
    // whole changes hands without a copy; the storage block held before is kept for bytes still
    // to come.
    HRESULT ReadBlock(std::vector<std::uint8_t>& block, Cardinal n, Cardinal& got);

    void append(const char* data, std::size_t length);
    // The body's announced length: a run begun before it has all arrived makes room for the
    // rest (up to kLargestRun), so that a page of ordinary size arrives in one run.
    void expect(std::uint64_t total_length) { expected_ = total_length; }
    static constexpr std::size_t kLargestRun = 1024 * 1024;
    // Drops what is waiting and frees it.
    void discard();
    std::size_t waiting() const { return waiting_; }
    std::uint64_t received() const { return received_; }

private:
    // Runs of bytes, each with room for at least one byte more (the zero ReadBlock adds).
    std::deque<std::vector<std::uint8_t>> chunks_;
    std::vector<std::uint8_t> spare_;  // storage for the next run
    std::size_t front_offset_ = 0;  // bytes of chunks_.front() already read
    std::size_t waiting_ = 0;
    std::uint64_t received_ = 0;
    std::uint64_t expected_ = 0;
};
