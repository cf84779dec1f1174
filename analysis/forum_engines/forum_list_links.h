#pragma once

#include <string_view>

// What a link in a row of a forum or topic list leads to, by its address as engines write them:
// a topic or post (viewtopic.php, showthread.php, /threads/, ?t=, #p123, "goto=lastpost"), a
// member, an action or a feed (profiles, RSS, mark read, log in, javascript:), or else a forum
// (or a category: the reader tells those apart by the counts that follow).
enum class ListLink { Forum, Topic, Other };

ListLink list_link_kind(std::string_view href);
