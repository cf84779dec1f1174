#pragma once

#include "analysis/forum_engines/forum_engine.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Where SMF's board counts stand: in a cell of their own, whose every run of text is a count, or
// in the 2.1 stats box, where themes may also set the labels apart ("<strong>Posts:</strong> 1,234").
enum class SmfCountHolder { Cell, StatsBox };

// The counts of a board: posts and topics, each with its label in the board's language on
// either side ("54725 Posts <br />11414 Topics", "7 İleti<br> 1 Konu"), or a bare number alone
// in a cell where a theme gives each count its own. Anything else (names, descriptions, last
// posts, a redirect board's one count) gives none.
std::vector<std::int32_t> smf_board_counts(std::string_view cell, SmfCountHolder holder);

// Whether the page is an SMF page (its scripts set smf_scripturl) of version 2.1, whose scripts
// also set the smileys' and the member's variables and whose boards stand in "up_contain" boxes.
bool is_smf_page(std::string_view page);
bool is_smf21_page(std::string_view page);

// SMF's page kinds: Display's id="forumposts", the message index's id="messageindex" (child boards
// above it), the board index's id="boardindex_table" (2.0 and 2.1); where a theme (or 1.1) writes
// none of them, the posting links of a topic and of a board. Topic rows hold their replies and
// views in the board cells' classes, so only what stands above the message index counts on a
// board's page.
PageShape smf_page_kind(std::string_view page);
