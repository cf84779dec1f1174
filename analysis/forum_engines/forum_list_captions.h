#pragma once

#include <string_view>

// What a column caption or a count's label names on a forum or topic list.
enum class CaptionKind {
    None,
    Topics,   // a forum's topics or threads
    Posts,    // a forum's posts or messages
    Replies,  // a topic's replies; a forum's posts only beside its topics
    Views,    // a topic's views: the list is a topic list
    Author,   // a topic's author or starter: the list is a topic list
};

// The kind of caption text is, in the languages boards are commonly run in, whatever its letter
// case (ASCII letters; other scripts as boards print them); blanks, "&nbsp;", a leading '#' and
// a trailing ':' aside. None for any other text.
CaptionKind caption_kind(std::string_view text);

// text without the blanks, "&nbsp;" and marks ('#', ':', '/', ',', '|') that stand around a
// caption or between a count and its label.
std::string_view trimmed_caption(std::string_view text);
