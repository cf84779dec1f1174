// Pages built against the readers: each reads them in one pass, counts nothing it cannot read
// whole, and takes time in proportion to the page, whatever the page holds.

#include "analysis/forum_engines/forum_page.h"
#include "analysis/forum_engines/json_scan.h"
#include "analysis/search_readers.h"
#include "tests/support/hostile_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

namespace {

std::string repeated(std::string_view piece, std::size_t times) {
    std::string page;
    for (std::size_t i = 0; i < times; ++i) page += piece;
    return page;
}

// A stray closing bracket inside a container once made the walk take it as an empty value for
// ever; cut-off and unseparated containers give nothing either.
TEST(JsonScan, MalformedContainersGiveNothing) {
    for (const char* array : {"[}]", "[1}", "[,]", "[\"a\" 1]", "[{}", "[\"a"}) EXPECT_TRUE(json_items(array).empty()) << array;
    for (const char* object : {"{\"a\":}", "{\"a\":1]", "{\"a\":\"1\" \"b\":2}", "{\"a\" 1}", "{1:2}", "{\"a\":1"})
        EXPECT_EQ(json_member(object, "a"), "") << object;
    EXPECT_EQ(json_items("[ 1, {\"b\":[2]} ,\"x]\" ]").size(), 3u);
    EXPECT_EQ(json_member("{\"b\":[}],\"a\":2}", "a"), "");
    EXPECT_EQ(json_member("{ \"b\" : [1] , \"a\" : 2 }", "a"), "2 ");
}

TEST(HostilePages, TheFaultsFoundFirstReadNothingAndEnd) {
    const struct {
        std::string page;
        int numbers;
    } forum_pages[] = {
        {"window._ajaxifyData{\"categories\":[}]", 0},
        {"<div data-preloaded=\"{&quot;category_list&quot;:{&quot;categories&quot;:[}]}\"></div>", 0},
        // Cells left open count nothing; a closed pair after them still counts.
        {repeated("<td class=\"alt1\">1", 50000) + "<td class=\"alt1\">5</td> <td class=\"alt2\">7</td>", 2},
        // An element left open ends where the next of its name begins: each count is read once.
        {"<div class=\"board_stats\">Posts: 1<br>Topics: 3<div class=\"board_stats\">Posts: 2<br>Topics: 4", 4},
    };
    for (const auto& c : forum_pages) EXPECT_EQ(read_forum_page(PageLines(c.page), true).numbers, c.numbers);

    const SearchAnswer answer = read_duckduckgo_html(PageLines(
        repeated("<a x>", 50000) + "<a class=\"result__a\" href=\"http://example.com/f/\">A &#&#x41; forum</a>"));
    ASSERT_EQ(answer.links.size(), 1u);
    // Refused before a tree many times the page's size is built; the nesting an answer has is read.
    EXPECT_NE(read_searx_json(PageLines(std::string(1 << 20, '['))).note.find("nested deeper"), std::string::npos);
    EXPECT_EQ(read_searx_json(PageLines(repeated("[", 254) + "{\"results\":[]}" + repeated("]", 254))).note.find("nested"),
              std::string::npos);
    EXPECT_EQ(answer.links[0].description, "A &#A forum");
}

// The thread's own processor time: other work on the machine does not count against the reader.
double seconds_to_read(const NamedPageReader& reader, const PageLines& page) {
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    const double start = now();
    reader.read(page, reader.index);
    return now() - start;
}

// The sanitizers' shadow memory changes a reader's cost per byte with the page size (a 1 MB page
// still fits the caches, a 4 MB one does not), so their build reads every page but judges no time.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kTimesAreMeaningful = false;
#else
constexpr bool kTimesAreMeaningful = true;
#endif

// Every reader on every hostile shape at 1 and 4 MB: the larger page may take at most 6 times as
// long. A quadratic reader misses that by far; the best of up to five runs and a floor of 20 ms
// keep cache and timer noise from failing a linear one.
TEST(HostilePages, EveryReaderTakesTimeInProportionToThePage) {
    constexpr double kFloorSeconds = 0.02;
    const auto readers = all_page_readers();
    for (const HostileShape& shape : hostile_shapes()) {
        const PageLines small(hostile_page(shape, 1 << 20));
        const PageLines large(hostile_page(shape, 4 << 20));
        for (const NamedPageReader& reader : readers) {
            double best_small = 1e9;
            double best_large = 1e9;
            const auto proportional = [&] { return best_large <= 6 * std::max(best_small, kFloorSeconds); };
            for (int run = 0; run < 5 && (run == 0 || (kTimesAreMeaningful && !proportional())); ++run) {
                best_small = std::min(best_small, seconds_to_read(reader, small));
                best_large = std::min(best_large, seconds_to_read(reader, large));
            }
            if (kTimesAreMeaningful) {
                EXPECT_TRUE(proportional()) << reader.name << " on " << shape.name << ": " << best_small << " s, "
                                            << best_large << " s";
            }
        }
    }
}

}  // namespace
