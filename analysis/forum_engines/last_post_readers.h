#pragma once

#include "analysis/page_lines.h"

#include <cstdint>
#include <string>
#include <string_view>

// One reader per forum engine of the date of the newest post its board index shows: the newest
// of the times in the forums' last-post cells, as "YYYY-MM-DD", or empty when the page shows
// none that can be read. Only those cells count: never the board's clock, the statistics box,
// the "who is online" box or a topic list beside the forums. download_time (seconds since 1970)
// is what "Today" and "5 hours ago" are counted from. Pure functions of the page.
using NewestPostReader = std::string (*)(const PageLines& page, std::int64_t download_time);

// The classic rule's pages: a date in the table row of a "row2" line.
std::string newest_post_row2(const PageLines& page, std::int64_t download_time);

std::string newest_post_phpbb3(const PageLines& page, std::int64_t download_time);
std::string newest_post_xenforo1(const PageLines& page, std::int64_t download_time);
std::string newest_post_xenforo2(const PageLines& page, std::int64_t download_time);
std::string newest_post_vbulletin3(const PageLines& page, std::int64_t download_time);
std::string newest_post_vbulletin4(const PageLines& page, std::int64_t download_time);
std::string newest_post_vbulletin5(const PageLines& page, std::int64_t download_time);
std::string newest_post_mybb(const PageLines& page, std::int64_t download_time);
std::string newest_post_smf1(const PageLines& page, std::int64_t download_time);  // 1.1 and 2.0
std::string newest_post_smf21(const PageLines& page, std::int64_t download_time);
std::string newest_post_ipb3(const PageLines& page, std::int64_t download_time);
std::string newest_post_invision4(const PageLines& page, std::int64_t download_time);
std::string newest_post_fluxbb(const PageLines& page, std::int64_t download_time);
std::string newest_post_punbb(const PageLines& page, std::int64_t download_time);
std::string newest_post_vanilla(const PageLines& page, std::int64_t download_time);
std::string newest_post_discuz(const PageLines& page, std::int64_t download_time);
std::string newest_post_nodebb(const PageLines& page, std::int64_t download_time);

// The date reader of the engine a page's counts were read as ("" for the classic rule); one that
// reads nothing for an engine without one.
NewestPostReader newest_post_reader(std::string_view engine);
