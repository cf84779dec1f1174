#pragma once

#include <string>
#include <vector>

// The pages of the fixture web: a search service that answers the research's search requests
// and a handful of forums with known post counts, some of them misbehaving.
namespace fixture_web {

// How each forum of the fixture answers.
enum class Behaviour {
    Counts,          // a forum index with "row2" post counts
    GoodAtSecondTry, // no counts at the first request, counts from the second on
    NotFound,        // 404 with a body
    Stall,           // headers, then nothing
    EmptyBody,       // 200 with Content-Length 0
    NoCounts,        // a page without any "row2" count
};

struct Forum {
    std::string name;           // path segment: /<name>/index.php
    std::string link_text;      // anchor text on the result page, may hold bold tags
    std::string description;    // what the link extraction makes of it
    Behaviour behaviour;
    std::vector<int> counts;    // post counts on its page (Counts, GoodAtSecondTry)
    // What a research ends with: verdict, average and maximum in the results table; an empty
    // verdict when the forum never reaches the results table.
    std::string verdict;
    std::string average;
    std::string maximum;
};

// The forums in the order the search pages list them.
const std::vector<Forum>& forums();

// The result page for a search offset (0 or 100); host is "127.0.0.1:port".
std::string search_page(const std::string& host, int start_offset);
// The forum's index page: phpBB-2-style "row2" rows holding counts and a last post of "Today".
std::string forum_page(const Forum& forum, bool with_counts);
// The forum pages come with a Date header this many days before the test's clock.
inline constexpr int kServerDaysBehind = 3;
// The "Newest post" of the forum's results row: the day of that Date header for a page with
// counts (their "Today"), empty otherwise.
std::string newest_post(const Forum& forum);

}  // namespace fixture_web
