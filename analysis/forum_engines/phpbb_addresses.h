#pragma once

#include "analysis/forum_engines/forum_engine.h"

#include <string_view>

// phpBB's own script addresses, the same under every style of phpBB 2 and 3: where a style's
// markup does not tell what a page is, its links do.

// Whether the page links phpBB 3's scripts: the user control panel (ucp.php, every page's login
// link, which phpBB 2 did not have) beside its forum or topic addresses.
bool links_phpbb3_scripts(std::string_view page);

// "Post a reply" or a quote button (posting.php?mode=reply|quote) make a topic page; "Post a new
// topic" (posting.php?mode=newtopic) a forum page, its topic list beginning at the first link to
// a topic (viewtopic.php?...t=N; the last-post links of sub-forum rows name a post, p=N). Other
// for any other page, the board index among them.
PageShape phpbb_page_kind_by_addresses(std::string_view page);

// The first link to the board index as phpBB writes it: index.php (phpBB 2) or ./index.php
// (phpBB 3), with or without a session id; empty when there is none. A site's own home page,
// which boards put before it, is linked by an absolute address.
std::string_view phpbb_index_link(std::string_view page);
