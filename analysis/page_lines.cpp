#include "analysis/page_lines.h"

#include <cstring>

PageLines::PageLines(std::string bytes) : bytes_(std::move(bytes)) {
    if (bytes_.empty()) return;
    const char* const begin = bytes_.data();
    const char* const end = begin + bytes_.size();
    const auto next = [end](const char* from, char c) {
        const auto* hit = static_cast<const char*>(std::memchr(from, c, static_cast<std::size_t>(end - from)));
        return hit ? hit : end;
    };
    // The next CR and the next LF at or after p, each looked for again only once p has passed
    // it, so a page without CRs is searched for one just once.
    const char* p = begin;
    const char* cr = next(p, '\r');
    const char* lf = next(p, '\n');
    while (p < end) {
        starts_.push_back(static_cast<std::size_t>(p - begin));
        if (cr < p) cr = next(p, '\r');
        if (lf < p) lf = next(p, '\n');
        const char* const stop = cr < lf ? cr : lf;
        if (stop == end) break;
        p = stop + 1;
        if (stop == cr && p == lf) ++p;
    }
}

std::string_view PageLines::line(std::size_t i) const {
    const std::size_t start = starts_[i];
    // A line ends where the next one starts, less its break (CR LF counts two); the last line
    // ends at the page's end, less a closing break.
    std::size_t stop = i + 1 < starts_.size() ? starts_[i + 1] : bytes_.size();
    if (stop > start && (bytes_[stop - 1] == '\n' || bytes_[stop - 1] == '\r')) {
        const bool crlf = bytes_[stop - 1] == '\n' && stop - 1 > start && bytes_[stop - 2] == '\r';
        stop -= crlf ? 2 : 1;
    }
    return std::string_view(bytes_).substr(start, stop - start);
}
