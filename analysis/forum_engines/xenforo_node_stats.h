#pragma once

#include "analysis/popularity.h"

#include <string_view>

// Both XenForo versions hold each node's counts in the <dd>s of one stats <div>, threads
// (discussions) first, then messages. A page without any such <div> is read in the compact
// boxes of compact_class instead (none when empty), where a theme shows the counts only there.
void count_node_stats(std::string_view page, std::string_view stats_class, std::string_view compact_class,
                      PostCounter& counter);
