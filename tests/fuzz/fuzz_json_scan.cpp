// The JSON walk the embedded-list readers use, on arbitrary bytes: every member and item it
// hands out is walked again, a few levels down, so each step must advance and stay in the text.

#include "analysis/forum_engines/json_scan.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void walk(std::string_view value, int levels) {
    if (levels == 0 || value.empty()) return;
    if (value.front() == '[') {
        for (std::string_view item : json_items(value)) walk(item, levels - 1);
    } else if (value.front() == '{') {
        for (std::string_view key : {"categories", "topic_count", "a"}) walk(json_member(value, key), levels - 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t pos = 0; pos < text.size() && pos < 64; ++pos) {
        const std::size_t end = json_value_end(text, pos);
        if (end != std::string_view::npos && (end < pos || end > text.size())) __builtin_trap();
    }
    walk(text, 4);
    return 0;
}
