// Every forum page reader on arbitrary bytes: the classic "row2" rule, each engine reader alone
// (so that an early one finding a number does not hide a later one), and the whole order.

#include "analysis/forum_engines/forum_page.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PageLines page(std::string(reinterpret_cast<const char*>(data), size));
    (void)read_row2_counts(page);
    for (ForumPageReader reader : forum_engine_readers()) (void)reader(page);
    (void)read_forum_page(page, true);
    return 0;
}
