#include "analysis/page_lines.h"

#include "analysis/text_scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
#define RAVELMOOT_WIDE_LINES 1

// Hands every CR and LF in whole 32-byte blocks to at_break, on processors with AVX2; returns
// where the blocks ended.
template <class AtBreak>
__attribute__((target("avx2"))) std::size_t wide_breaks(const char* data, std::size_t size, AtBreak& at_break) {
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    std::size_t pos = 0;
    for (; pos + 32 <= size; pos += 32) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + pos));
        auto mask = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_or_si256(_mm256_cmpeq_epi8(block, cr), _mm256_cmpeq_epi8(block, lf))));
        for (; mask != 0; mask &= mask - 1) at_break(pos + static_cast<std::size_t>(__builtin_ctz(mask)));
    }
    return pos;
}
#endif

// Where each line of bytes starts, in one pass that finds CRs and LFs together (16 bytes at a
// time with SSE2).
std::vector<std::size_t> line_starts(const std::string& bytes) {
    std::vector<std::size_t> starts;
    const std::size_t size = bytes.size();
    if (size == 0) return starts;
    // Room for lines of 32 bytes on average; pages of markup seldom have shorter ones, and room
    // never written costs no memory.
    starts.reserve(size / 32 + 16);
    starts.push_back(0);
    const char* const data = bytes.data();
    std::size_t skip_lf = std::string::npos;  // the LF of a CR LF already taken
    const auto at_break = [&](std::size_t pos) {
        if (pos == skip_lf) return;
        std::size_t next = pos + 1;
        if (data[pos] == '\r' && next < size && data[next] == '\n') {
            skip_lf = next;
            ++next;
        }
        if (next < size) starts.push_back(next);
    };
    std::size_t pos = 0;
#if defined(RAVELMOOT_WIDE_LINES)
    if (size >= 256 && __builtin_cpu_supports("avx2")) pos = wide_breaks(data, size, at_break);
#endif
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; pos + 16 <= size; pos += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        for (; mask != 0; mask &= mask - 1) at_break(pos + static_cast<std::size_t>(__builtin_ctz(mask)));
    }
#endif
    for (; pos < size; ++pos)
        if (data[pos] == '\r' || data[pos] == '\n') at_break(pos);
    return starts;
}

}  // namespace

PageLines::PageLines(std::string bytes) {
    if (bytes.empty()) return;
    auto text = std::make_shared<Text>();
    text->starts = line_starts(bytes);
    text->bytes = std::move(bytes);
    text_ = std::move(text);
}

const std::string& PageLines::empty_bytes() {
    static const std::string none;
    return none;
}

std::string_view PageLines::line(std::size_t i) const {
    const std::string& bytes = text_->bytes;
    const std::vector<std::size_t>& starts = text_->starts;
    const std::size_t start = starts[i];
    // A line ends where the next one starts, less its break (CR LF counts two); the last line
    // ends at the page's end, less a closing break.
    std::size_t stop = i + 1 < starts.size() ? starts[i + 1] : bytes.size();
    if (stop > start && (bytes[stop - 1] == '\n' || bytes[stop - 1] == '\r')) {
        const bool crlf = bytes[stop - 1] == '\n' && stop - 1 > start && bytes[stop - 2] == '\r';
        stop -= crlf ? 2 : 1;
    }
    return std::string_view(bytes).substr(start, stop - start);
}

std::size_t PageLines::next_line_holding(std::string_view marker, std::size_t from) const {
    const std::size_t count = size();
    if (marker.empty()) return count;
    const std::string_view bytes = text_ ? std::string_view(text_->bytes) : std::string_view();
    const std::vector<std::size_t>* starts = text_ ? &text_->starts : nullptr;
    while (from < count) {
        const std::size_t hit = find_marker(bytes, marker, (*starts)[from]);
        if (hit == std::string_view::npos) return count;
        // The line holding the hit: the last one starting at or before it. Walked to rather than
        // searched for: a reader asks for lines in order, so the walks of a whole page together
        // pass each line once.
        std::size_t i = from;
        while (i + 1 < count && (*starts)[i + 1] <= hit) ++i;
        // Its first hit, so when that lies beyond what the readers read, the line holds none for them.
        if (hit + marker.size() <= (*starts)[i] + read_line(i).size()) return i;
        from = i + 1;
    }
    return count;
}
