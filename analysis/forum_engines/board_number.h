#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// A count as forum boards print it: plain digits, or digits grouped by three with one kind of
// separator ("17,815", "16.651", "1 234", "1'234", a no-break space as UTF-8 or "&nbsp;").
// Blanks around it are ignored. Short forms ("18.1K"), signs, fractions and values above
// 2147483647 give nullopt: they are not exact counts.
std::optional<std::int32_t> parse_board_number(std::string_view text);

// The number after the last ':' of a labelled count ("Threads: 79", "Beiträge: 1.234"),
// so that translated labels read the same; nullopt when there is no ':' or no number after it.
std::optional<std::int32_t> parse_labelled_number(std::string_view text);
