#include "analysis/forum_engines/engine_marks.h"

#include "analysis/html_markup.h"

bool holds_any(std::string_view page, std::initializer_list<std::string_view> marks) {
    for (std::string_view mark : marks)
        if (page.find(mark) != std::string_view::npos) return true;
    return false;
}

bool generator_starts_with(std::string_view page, std::string_view prefix) {
    // Engines write it in the head, in either attribute order.
    const std::string_view head = page.substr(0, page.find("<body"));
    for (std::size_t pos = find_start_tag(head, "meta", 0); pos != std::string_view::npos;
         pos = find_start_tag(head, "meta", pos + 1)) {
        const std::string_view tag = tag_at(head, pos);
        if (attribute(tag, "name") == "generator") return attribute(tag, "content").starts_with(prefix);
    }
    return false;
}
