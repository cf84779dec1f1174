// The line index and the marker walk held against the plain way: split byte by byte, and test
// every line as the readers take it.
#include "analysis/page_lines.h"
#include "analysis/text_scan.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<std::string> plain_lines(const std::string& page) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < page.size(); ++i) {
        const char c = page[i];
        if (c != '\r' && c != '\n') {
            line += c;
            open = true;
            continue;
        }
        lines.push_back(line);
        line.clear();
        open = false;
        if (c == '\r' && i + 1 < page.size() && page[i + 1] == '\n') ++i;
    }
    if (open) lines.push_back(line);
    return lines;
}

std::vector<std::size_t> walked(const PageLines& page, std::string_view marker) {
    std::vector<std::size_t> found;
    for (auto i = page.next_line_holding(marker, 0); i < page.size(); i = page.next_line_holding(marker, i + 1))
        found.push_back(i);
    return found;
}

std::vector<std::size_t> tested_one_by_one(const PageLines& page, std::string_view marker) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < page.size(); ++i)
        if (holds_marker(page.read_line(i), marker)) found.push_back(i);
    return found;
}

TEST(PageLinesIndex, RandomPagesSplitAndWalkAsThePlainWay) {
    std::mt19937 random(14);
    const std::string alphabet = "row2<a\r\n\n";
    for (int round = 0; round < 400; ++round) {
        std::string page;
        // Half of them long enough for the 32-byte scans.
        const std::size_t size = random() % (round % 2 ? 200 : 900);
        for (std::size_t i = 0; i < size; ++i) page += alphabet[random() % alphabet.size()];
        // Now and then a line beyond what the readers read.
        if (round % 20 == 0) page.insert(random() % (page.size() + 1), std::string(kLineReadLimit, 'x') + "row2");
        const PageLines lines(page);
        std::vector<std::string> indexed;
        for (std::size_t i = 0; i < lines.size(); ++i) indexed.emplace_back(lines.line(i));
        ASSERT_EQ(indexed, plain_lines(page)) << "page " << round;
        for (const std::string_view marker : {"row2", "r", "2<a"})
            ASSERT_EQ(walked(lines, marker), tested_one_by_one(lines, marker)) << "page " << round << " " << marker;
    }
}

// Long texts take the 32-byte scan where the processor has one; it must agree with the plain
// search wherever it starts and wherever the blocks end.
TEST(PageLinesIndex, LongScansAgreeWithThePlainSearch) {
    std::mt19937 random(32);
    const std::string alphabet = "<>/ab\"";
    const std::string_view needles[] = {"<b", "</a>", "<a href=\"", "ab", "a/a/a"};
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 700, ' ');
        for (auto& c : text) c = alphabet[random() % alphabet.size()];
        const auto needle = needles[random() % std::size(needles)];
        const std::size_t from = random() % (text.size() + 1);
        ASSERT_EQ(find_marker(text, needle, from), std::string_view(text).find(needle, from))
            << text << " / " << needle << " from " << from;
    }
}

TEST(PageLinesIndex, AMarkerCountsOnlyWithinWhatTheReadersRead) {
    struct Case {
        std::size_t at;
        bool held;
    } const cases[] = {{0, true}, {kLineReadLimit - 4, true}, {kLineReadLimit - 3, false}, {kLineReadLimit + 100, false}};
    for (const auto& c : cases) {
        std::string line(kLineReadLimit + 200, 'x');
        line.replace(c.at, 4, "row2");
        const PageLines page("first\r\n" + line + "\r\nrow2 last");
        EXPECT_EQ(walked(page, "row2"), c.held ? (std::vector<std::size_t>{1, 2}) : (std::vector<std::size_t>{2}))
            << "at " << c.at;
    }
}

}  // namespace
