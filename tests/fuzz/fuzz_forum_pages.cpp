// Every forum page reader on arbitrary bytes: the classic "row2" rule, the structure reader alone,
// each engine record alone
// (so that an early one finding a number does not hide a later one), and the whole order, dates
// included. The first eight bytes give the download time, any 64-bit value (a wrong clock).

#include "analysis/forum_engines/forum_engine.h"
#include "analysis/forum_engines/forum_list_reader.h"
#include "analysis/forum_engines/forum_page.h"

#include <cstring>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int64_t download_time = 0;
    if (size >= sizeof download_time) {
        std::memcpy(&download_time, data, sizeof download_time);
        data += sizeof download_time;
        size -= sizeof download_time;
    }
    const PageLines page(std::string(reinterpret_cast<const char*>(data), size));
    (void)read_row2_counts(page);
    (void)read_forum_list(page, download_time);
    for (const ForumEngine* engine : forum_engines()) {
        (void)engine->recognises(page.bytes());
        PostCounter counter;
        engine->count(page, counter);
        (void)engine->newest_post(page, download_time);
        (void)engine->page_kind(page.bytes());
        (void)engine->board_index_link(page.bytes());
    }
    (void)read_forum_page(page, true, download_time);
    return 0;
}
