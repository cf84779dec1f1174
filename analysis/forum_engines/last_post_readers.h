#pragma once

#include "analysis/page_lines.h"
#include "analysis/post_date.h"

#include <cstdint>
#include <string>
#include <string_view>

// One reader per forum engine of the date of the newest post its board index shows: the newest
// of the times in the forums' last-post cells, as "YYYY-MM-DD", or empty when the page shows
// none that can be read. Only those cells count: never the board's clock, the statistics box,
// the "who is online" box or a topic list beside the forums. download_time (seconds since 1970)
// is what "Today" and "5 hours ago" are counted from. Pure functions of the page.
using NewestPostReader = std::string (*)(const PageLines& page, std::int64_t download_time);

// The classic rule's pages: the date a "row2" cell begins with, read line by line in the pass
// that counts the same lines (read_row2_lines), on the lines whose cell holds no count.
class Row2Dates {
public:
    Row2Dates(const PageLines& page, std::int64_t download_time);
    // Reads the cell that "row2" line i opens.
    void read_line(std::size_t i);
    std::string newest() const { return newest_.newest(); }

private:
    const PageLines& page_;
    NewestPost newest_;
};

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
std::string newest_post_discourse(const PageLines& page, std::int64_t download_time);

// The date reader of the engine a page's counts were read as; one that reads nothing for an
// engine without one.
NewestPostReader newest_post_reader(std::string_view engine);
