#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A count as forum boards print it: plain digits, or digits grouped by three with one kind of
// separator ("17,815", "16.651", "1 234", "1'234", "1’234", a no-break, narrow no-break or thin space as
// UTF-8 or a character reference).
// Blanks around it are ignored. Short forms ("18.1K"), signs, fractions and values above
// 2147483647 give nullopt: they are not exact counts.
std::optional<std::int32_t> parse_board_number(std::string_view text);

// The one count in a run of text that may label it, in any language and on either side
// ("Threads: 79", "54725 Posts", "7 İleti", "主题: 1354", or "556" alone). nullopt when the run
// holds no count or more than one, when the number runs into letters ("6万", "18.1K", "a12"), or
// when it stands in brackets ("(10)", new posts today beside a forum's name).
std::optional<std::int32_t> parse_labelled_number(std::string_view text);
