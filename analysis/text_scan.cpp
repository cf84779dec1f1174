#include "analysis/text_scan.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

// Byte-wise equality of a few bytes, without the call memcmp costs: markers and the joins
// tested when removing them are a few bytes long.
bool same_bytes(const char* a, const char* b, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// The leftmost of the candidate starts in mask (bit i stands for at + i) that holds the needle,
// or npos. The candidates already match the needle's first and last byte.
inline std::size_t first_match(const char* data, std::string_view needle, std::size_t at, unsigned mask) {
    const std::size_t head = needle.size() - 1;
    for (; mask != 0; mask &= mask - 1) {
        const std::size_t start = at + static_cast<std::size_t>(__builtin_ctz(mask));
        // The second byte first: markup matches first and last bytes often, and a call to
        // memcmp costs more than most of these comparisons.
        if (head >= 2 && data[start + 1] != needle[1]) continue;
        if (head <= 2 || same_bytes(data + start + 2, needle.data() + 2, head - 2)) return start;
    }
    return std::string_view::npos;
}

// The memchr-driven search: jump to each place where the needle's last byte could end an
// occurrence and compare only there. Markers start with '<', which markup is full of.
std::size_t find_by_last_byte(std::string_view text, std::string_view needle, std::size_t from) {
    const std::size_t head = needle.size() - 1;
    const char* const data = text.data();
    for (std::size_t end = from + head; end < text.size();) {
        const auto* hit = static_cast<const char*>(std::memchr(data + end, needle.back(), text.size() - end));
        if (!hit) break;
        end = static_cast<std::size_t>(hit - data);
        if (std::memcmp(data + end - head, needle.data(), head) == 0) return end - head;
        ++end;
    }
    return std::string_view::npos;
}

#if defined(__SSE2__) && defined(__GNUC__) && defined(__x86_64__)
#define RAVELMOOT_WIDE_SCAN 1

// The needle's leftmost start among 32 places at a time from `from` while whole blocks fit, on
// processors with AVX2: long pages are scanned at twice the rate. from ends where the scan
// stopped (needle.size() >= 2).
__attribute__((target("avx2"))) std::size_t find_wide(std::string_view text, std::string_view needle,
                                                         std::size_t& from) {
    const std::size_t head = needle.size() - 1;
    const char* const data = text.data();
    const __m256i first = _mm256_set1_epi8(needle.front());
    const __m256i last = _mm256_set1_epi8(needle.back());
    for (; from + head + 32 <= text.size(); from += 32) {
        const auto starts = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + from));
        const auto ends = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + from + head));
        const auto mask = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(starts, first), _mm256_cmpeq_epi8(ends, last))));
        if (const auto at = first_match(data, needle, from, mask); at != std::string_view::npos) return at;
    }
    return std::string_view::npos;
}

bool has_wide_scan() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// 0-based index of the leftmost occurrence at or after from, or npos; an empty needle is never
// found. With SSE2, 16 candidate places at a time are tested on the needle's first and last
// byte together, which rules out almost every place in markup before any comparison; texts
// shorter than one such block take the memchr path.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0) {
    if (needle.empty() || from >= text.size() || text.size() - from < needle.size()) return std::string_view::npos;
#if defined(__SSE2__)
    constexpr std::size_t kBlock = sizeof(__m128i);  // starts tested at once
#if defined(RAVELMOOT_WIDE_SCAN)
    if (needle.size() >= 2 && text.size() - from >= 64 && has_wide_scan()) {
        if (const auto at = find_wide(text, needle, from); at != std::string_view::npos) return at;
        if (from >= text.size() || text.size() - from < needle.size()) return std::string_view::npos;
    }
#endif
    if (needle.size() >= 2 && text.size() - from >= needle.size() - 1 + kBlock) {
        const std::size_t head = needle.size() - 1;
        const char* const data = text.data();
        const __m128i first = _mm_set1_epi8(needle.front());
        const __m128i last = _mm_set1_epi8(needle.back());
        // Tests the 16 starts at..at+15 and returns the leftmost that holds the needle, or npos.
        const auto block = [&](std::size_t at) -> std::size_t {
            const auto starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
            const auto ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + head));
            const auto mask = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
            return first_match(data, needle, at, mask);
        };
        // A block's last-byte load must stay inside the text; the final block may overlap the one
        // before it, whose starts held no needle, so what it finds is still the leftmost.
        const std::size_t final_block = text.size() - head - kBlock;
        for (; from < final_block; from += kBlock)
            if (const auto at = block(from); at != std::string_view::npos) return at;
        return block(final_block);
    }
#endif
    return find_by_last_byte(text, needle, from);
}

// Repeated leftmost deletion, each byte moved once. What is kept so far holds no needle, so
// after each deletion the leftmost needle either spans the join (its head is the kept text's
// tail; the longest such head starts leftmost) or lies wholly in the rest, where find gives it.
void remove_all(std::string& s, std::string_view needle, std::size_t leftmost) {
    char* const data = s.data();
    const std::string_view text(data, s.size());
    const std::size_t n = needle.size();
    std::size_t kept = leftmost;       // data[0, kept) is final so far
    std::size_t rest = leftmost + n;   // data[rest, size) is still to be read
    for (;;) {
        std::size_t head = std::min(n - 1, kept);
        while (head >= 1 && !(rest + (n - head) <= text.size() && same_bytes(data + kept - head, needle.data(), head) &&
                              same_bytes(data + rest, needle.data() + head, n - head)))
            --head;
        if (head >= 1) {
            kept -= head;
            rest += n - head;
            continue;
        }
        const auto next = find(text, needle, rest);
        const std::size_t stop = next == std::string_view::npos ? text.size() : next;
        std::memmove(data + kept, data + rest, stop - rest);
        kept += stop - rest;
        if (next == std::string_view::npos) break;
        rest = next + n;
    }
    s.resize(kept);
}

}  // namespace

std::string_view before_view(std::string_view text, std::string_view marker) {
    const auto p = find(text, marker);
    return p == std::string_view::npos ? text : text.substr(0, p);
}

std::string before_marker(std::string_view text, std::string_view marker) {
    return std::string(before_view(text, marker));
}

std::string after_marker(std::string_view text, std::string_view marker) {
    const auto p = find(text, marker);
    return p == std::string_view::npos ? std::string() : std::string(text.substr(p + marker.size()));
}

void replace_all(std::string& s, std::string_view needle, std::string_view replacement) {
    auto p = find(s, needle);
    if (p == std::string_view::npos) return;
    if (replacement.empty()) {
        remove_all(s, needle, p);
        return;
    }
    // Joining head and tail can form a new needle, so each pass looks again from the start,
    // but never before the earliest place where such a needle could begin.
    for (; p != std::string_view::npos; p = find(s, needle, p >= needle.size() ? p - (needle.size() - 1) : 0))
        s.replace(p, needle.size(), replacement);
}

std::optional<std::string_view> span_view(std::string_view text, std::string_view start, std::string_view end) {
    const auto s = find(text, start);
    if (s == std::string_view::npos) return std::nullopt;
    // The end marker may begin inside the start marker: the scan starts at its first character.
    const auto e = find(text, end, s);
    if (e == std::string_view::npos) return std::nullopt;
    return text.substr(s, e - s + end.size());
}

std::optional<std::string_view> between_view(std::string_view text, std::string_view start, std::string_view end) {
    const auto s = find(text, start);
    if (s == std::string_view::npos) return std::nullopt;
    const auto q = s + start.size();
    const auto e = find(text, end, q);
    if (e == std::string_view::npos) return std::nullopt;
    return text.substr(q, e - q);
}

void cut_span(std::string_view text, std::string_view start, std::string_view end, int& found, std::string& span) {
    const auto view = span_view(text, start, end);
    found = view ? 1 : -1;
    if (view) span.assign(*view);
}

void cut_between(std::string_view text, std::string_view start, std::string_view end, int& found, std::string& inner) {
    const auto view = between_view(text, start, end);
    found = view ? 1 : -1;
    if (view) inner.assign(*view);
}

std::size_t find_marker(std::string_view text, std::string_view marker, std::size_t from) {
    return find(text, marker, from);
}

bool holds_marker(std::string_view text, std::string_view marker) {
    return find(text, marker) != std::string_view::npos;
}

bool is_web_link(std::string_view text) {
    return holds_marker(text, "http") && !holds_marker(text, "google") && text.size() >= 11;
}

bool is_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}
