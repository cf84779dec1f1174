#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Just enough HTML reading for every page reader: start tags found by name, their attributes
// and class words, what an element holds, the text between tags and its character references.
// Tag and attribute names match case-sensitively, as the engines and search services write
// their markup in lower case. Pure functions over the page bytes.

// How much of one element the readers look at. Count cells and stat boxes are far smaller; the
// bound keeps an element left open (HTML lets a page omit </td>) from making every such tag
// walk the rest of the page.
inline constexpr std::size_t kElementReadLimit = 4096;

// Where the next start tag "<name" (followed by a blank, '>' or '/') begins at or after from;
// npos when there is none.
std::size_t find_start_tag(std::string_view page, std::string_view name, std::size_t from);

// The start tag that begins at pos, through its '>' (without one within kElementReadLimit bytes,
// that much of the page).
std::string_view tag_at(std::string_view page, std::size_t pos);

// The value of attribute name in a start tag ("<a ..." with or without its '>'): quoted with
// " or ', or unquoted up to the next blank; blanks around '=' allowed. Empty when absent.
std::string_view attribute(std::string_view tag, std::string_view name);

// Whether the tag's class attribute holds name as one whole word ("node-stats" is not in
// "node-statsMeta").
bool has_class(std::string_view tag, std::string_view name);

// What the element whose start tag begins at pos holds, up to its own end tag; elements of the
// same name inside it are passed over. Without its end tag within kElementReadLimit bytes, what
// stands before the next start tag of the same name, within the first kElementReadLimit bytes
// behind the start tag.
std::string_view element_content(std::string_view page, std::size_t pos, std::string_view name);

// The text in front of the first tag of content ("145 " of "145 <dfn>Topics</dfn>").
std::string_view leading_text(std::string_view content);

// The first run of text between tags that holds more than blanks; empty when there is none. It
// stops there: the rest of the element is not walked.
std::string_view first_text(std::string_view content);

// text with its character references decoded: the named ones pages use in text and attribute
// values (&amp; &lt; &gt; &quot; &apos; &nbsp;) and numeric ones (&#233; &#xE9;) as UTF-8; a
// numeric one naming no character gives U+FFFD. Anything else stays as it is.
std::string decode_character_references(std::string_view text);

// Calls visit(tag, content) for every element <name> whose start tag accept(tag) takes, in page order.
template <typename Accept, typename Visit>
void for_each_element_if(std::string_view page, std::string_view name, Accept accept, Visit visit) {
    for (std::size_t pos = find_start_tag(page, name, 0); pos != std::string_view::npos;
         pos = find_start_tag(page, name, pos + 1)) {
        const std::string_view tag = tag_at(page, pos);
        if (accept(tag)) visit(tag, element_content(page, pos, name));
    }
}

// Calls visit(tag, content) for every element <name> whose class holds class_name (every one
// for an empty class_name), in page order.
template <typename Visit>
void for_each_element(std::string_view page, std::string_view name, std::string_view class_name, Visit visit) {
    for_each_element_if(
        page, name, [class_name](std::string_view tag) { return class_name.empty() || has_class(tag, class_name); },
        visit);
}

// The next run of text between two tags of content, at or after pos, that holds more than
// blanks (empty when none is left); pos moves behind it.
std::string_view next_text_run(std::string_view content, std::size_t& pos);

// Calls visit(text) for every run of text between two tags of content that holds more than blanks.
template <typename Visit>
void for_each_text_run(std::string_view content, Visit visit) {
    std::size_t pos = 0;
    for (std::string_view run = next_text_run(content, pos); !run.empty(); run = next_text_run(content, pos)) visit(run);
}
