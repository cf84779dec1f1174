#include "analysis/forum_engines/last_post_cell.h"

#include "analysis/html_markup.h"
#include "analysis/number_text.h"

namespace {

std::string_view tag_name(std::string_view tag) {
    const std::size_t end = tag.find_first_of(" \t\r\n/>", 1);
    return tag.substr(1, end == std::string_view::npos ? tag.size() - 1 : end - 1);
}

// The time a start tag carries for scripts, read into newest; false when it carries none.
bool take_machine_time(std::string_view tag, NewestPost& newest) {
    if (tag.find("=") == std::string_view::npos) return false;
    if (const std::string_view value = attribute(tag, "datetime"); !value.empty() && newest.take_iso(value)) return true;
    for (const char* name : {"data-datestring", "data-date-string"})
        if (const std::string_view value = attribute(tag, name); !value.empty() && newest.take_text(value)) return true;
    for (const char* name : {"data-time", "data-timestamp"}) {
        const std::string_view value = attribute(tag, name);
        const auto time = value.size() > 13 ? std::nullopt : parse_digits<std::int64_t>(value);
        if (time && newest.take_unix_time(*time)) return true;
    }
    return false;
}

void take_machine_times(std::string_view content, NewestPost& newest) {
    for (std::size_t open = content.find('<'); open != std::string_view::npos; open = content.find('<', open + 1))
        take_machine_time(tag_at(content, open), newest);
}

}  // namespace

void read_last_post_cell(std::string_view cell, NewestPost& newest, bool read_links) {
    std::size_t pos = 0;
    while (pos < cell.size()) {
        const std::size_t open = cell.find('<', pos);
        if (open != pos) {
            const std::string_view run = cell.substr(pos, open == std::string_view::npos ? open : open - pos);
            if (run.find_first_not_of(" \t\r\n") != std::string_view::npos) newest.take_text(run);
        }
        if (open == std::string_view::npos) break;
        const std::string_view tag = tag_at(cell, open);
        pos = open + tag.size();
        if (tag.size() < 2 || tag[1] == '/' || tag[1] == '!' || !tag.ends_with('>')) continue;
        const std::string_view name = tag_name(tag);
        const bool link = name == "a";
        const std::string_view title = link ? std::string_view() : attribute(tag, "title");
        const bool skip_link = link && !read_links;
        const bool stands_for_content =
            take_machine_time(tag, newest) || (!title.empty() && newest.take_text(title)) || skip_link;
        if (!stands_for_content || tag.ends_with("/>")) continue;
        const std::string_view content = element_content(cell, open, name);
        // A link's words are passed over, but a time element inside it still counts.
        if (skip_link) take_machine_times(content, newest);
        pos += content.size();
    }
}

std::string newest_in_elements(std::string_view page, std::string_view name, std::string_view class_name,
                               std::int64_t download_time, NumericDates numeric, bool read_links) {
    NewestPost newest(download_time, numeric);
    for_each_element(page, name, class_name,
                     [&](std::string_view, std::string_view cell) { read_last_post_cell(cell, newest, read_links); });
    return newest.newest();
}
