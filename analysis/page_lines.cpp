#include "analysis/page_lines.h"

#include <cstring>

namespace {

// Where each line of bytes starts.
std::vector<std::size_t> line_starts(const std::string& bytes) {
    std::vector<std::size_t> starts;
    if (bytes.empty()) return starts;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
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
        starts.push_back(static_cast<std::size_t>(p - begin));
        if (cr < p) cr = next(p, '\r');
        if (lf < p) lf = next(p, '\n');
        const char* const stop = cr < lf ? cr : lf;
        if (stop == end) break;
        p = stop + 1;
        if (stop == cr && p == lf) ++p;
    }
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
