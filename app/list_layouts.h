#pragma once

#include "app/controls/list_view.h"

#include <vector>

// The column layouts of the window's list views, each given in one place.
namespace list_layout {

inline const std::vector<ListColumn> queue = {
    {"URL", 150}, {"Description", 200}, {"Status", 100}, {"Attemps", 50}, {"Result", 50}};
inline const std::vector<ListColumn> search_results = {{"URL", 150}, {"Description", 200}, {"Number", 50}};
// result_list before the first stage start or list load; only ever seen with no rows.
inline const std::vector<ListColumn> results_start = {
    {"URL", 150}, {"Description", 200}, {"Posts average", 100}, {"Posts max", 100}, {"Result", 50}};
inline const std::vector<ListColumn> results_search_stage = {
    {"URL", 100}, {"Description", 100}, {"Result", 100}, {"Sites on page", 100}};
inline const std::vector<ListColumn> results_forum_stage = {
    {"URL", 100}, {"Description", 100}, {"Result", 100}, {"Post averag", 100}, {"Posts max", 100},
    {"Newest post", 100}};

}  // namespace list_layout
