#pragma once

#include "analysis/html_markup.h"
#include "analysis/post_date.h"

#include <cstdint>
#include <string>
#include <string_view>

// Reading the post times of one forum's last-post cell (or box) into newest, in this order:
// a tag's machine-readable time (datetime, data-time, data-timestamp, data-datestring) stands
// for what the element shows; a tooltip's date (title) stands for the relative words it
// explains; then the texts between tags. Link texts are topic titles on most engines and are
// passed over unless read_links is set (engines that print the date as the link's text).
void read_last_post_cell(std::string_view cell, NewestPost& newest, bool read_links = false);

// The newest post date of the page's elements <name> whose class holds class_name, each read
// as a last-post cell: "YYYY-MM-DD", or empty when they show none.
std::string newest_in_elements(std::string_view page, std::string_view name, std::string_view class_name,
                               std::int64_t download_time, NumericDates numeric, bool read_links = false);

// The same for the elements <name> whose start tag accept(tag) takes and whose content holds
// marker: where a class alone does not tell the last-post cell from the others of its row.
template <typename Accept>
std::string newest_in_elements_holding(std::string_view page, std::string_view name, Accept accept,
                                       std::string_view marker, std::int64_t download_time, NumericDates numeric,
                                       bool read_links = false) {
    NewestPost newest(download_time, numeric);
    for_each_element_if(page, name, accept, [&](std::string_view, std::string_view cell) {
        if (cell.find(marker) != std::string_view::npos) read_last_post_cell(cell, newest, read_links);
    });
    return newest.newest();
}
