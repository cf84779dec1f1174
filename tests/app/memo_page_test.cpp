// A memo showing a page reads its lines from the page, and owns its lines once one changes.
#include "model/app/controls/memo.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Lines = std::vector<std::string>;

TEST(MemoPage, ShowsThePageAndChangesOnlyACopyOfIt) {
    const PageLines page(std::string("<HTML>\r\nrow2\nlast"));
    struct Case {
        const char* name;
        void (*change)(Memo&);
        Lines expected;
    } const cases[] = {
        {"unchanged", [](Memo&) {}, {"<HTML>", "row2", "last"}},
        {"line added", [](Memo& m) { m.add_line("more"); }, {"<HTML>", "row2", "last", "more"}},
        {"line deleted", [](Memo& m) { m.delete_line(1); }, {"<HTML>", "last"}},
        {"lines set", [](Memo& m) { m.set_lines({"x"}); }, {"x"}},
        {"cleared", [](Memo& m) { m.clear(); }, {}},
    };
    for (const auto& c : cases) {
        Memo memo;
        int resets = 0;
        QObject::connect(&memo, &Memo::lines_reset, [&] { ++resets; });
        memo.set_page(page);
        EXPECT_EQ(resets, 1) << c.name;
        c.change(memo);
        EXPECT_EQ(memo.lines(), c.expected) << c.name;
        EXPECT_EQ(memo.count(), static_cast<int>(c.expected.size())) << c.name;
        // The page itself is never changed through the memo.
        EXPECT_EQ(page.line(1), "row2") << c.name;
    }
}

TEST(MemoPage, ReadsLinesCappedFindsThemIgnoringCaseAndRefusesBadIndexes) {
    const std::string long_line(kLineReadLimit + 10, 'x');
    Memo memo;
    memo.set_page(PageLines("<html>\n" + long_line));
    EXPECT_EQ(memo.full_line(1).size(), long_line.size());
    EXPECT_EQ(memo.line(1).size(), kLineReadLimit);
    EXPECT_EQ(memo.index_of_ignoring_case("<HTML>"), 0);
    EXPECT_EQ(memo.index_of_ignoring_case("absent"), -1);
    EXPECT_THROW(memo.full_line(2), std::out_of_range);
    EXPECT_THROW(memo.line(-1), std::out_of_range);
}

}  // namespace
