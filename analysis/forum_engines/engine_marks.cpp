#include "analysis/forum_engines/engine_marks.h"

#include "analysis/html_markup.h"

#include <algorithm>

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

std::size_t find_first(std::string_view page, std::initializer_list<std::string_view> marks) {
    std::size_t first = std::string_view::npos;
    for (std::string_view mark : marks) first = std::min(first, page.find(mark));
    return first;
}

std::string_view first_start_tag(std::string_view page, std::string_view name) {
    const std::size_t pos = find_start_tag(page, name, 0);
    return pos == std::string_view::npos ? std::string_view() : tag_at(page, pos);
}

std::size_t find_element_with_class(std::string_view page, std::string_view name, std::string_view class_name) {
    for (std::size_t pos = find_start_tag(page, name, 0); pos != std::string_view::npos;
         pos = find_start_tag(page, name, pos + 1))
        if (has_class(tag_at(page, pos), class_name)) return pos;
    return std::string_view::npos;
}

std::string_view href_of_anchor_holding(std::string_view page, std::string_view mark) {
    const std::size_t first = page.find(mark);
    if (first == std::string_view::npos) return {};
    // No tag is read past kElementReadLimit bytes, so the anchor begins no further back.
    const std::size_t from = first > kElementReadLimit ? first - kElementReadLimit : 0;
    for (std::size_t pos = find_start_tag(page, "a", from); pos != std::string_view::npos;
         pos = find_start_tag(page, "a", pos + 1)) {
        const std::string_view tag = tag_at(page, pos);
        if (tag.find(mark) == std::string_view::npos) continue;
        if (const std::string_view href = attribute(tag, "href"); !href.empty()) return href;
    }
    return {};
}

std::string_view first_href_behind(std::string_view page, std::string_view mark) {
    const std::size_t at = page.find(mark);
    if (at == std::string_view::npos) return {};
    const std::string_view container = page.substr(at, kElementReadLimit);
    for (std::size_t pos = find_start_tag(container, "a", 0); pos != std::string_view::npos;
         pos = find_start_tag(container, "a", pos + 1))
        if (const std::string_view href = attribute(tag_at(container, pos), "href"); !href.empty()) return href;
    return {};
}

std::string_view href_ending_with(std::string_view page, std::string_view path_end) {
    for (std::size_t pos = find_start_tag(page, "a", 0); pos != std::string_view::npos;
         pos = find_start_tag(page, "a", pos + 1)) {
        const std::string_view href = attribute(tag_at(page, pos), "href");
        if (href.substr(0, href.find_first_of("?#")).ends_with(path_end)) return href;
    }
    return {};
}
