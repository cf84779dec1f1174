#pragma once

#include "model/app/program_options.h"

#include <map>
#include <string>

class TForm1;

// What the search stage did. Read while its pages are still in the queue: just before "Use list"
// replaces them with the forums, or at the end of a research that never left the search stage.
struct SearchStageFigures {
    bool ran = false;   // false when the forums came from a list file
    int pages = 0;      // search pages asked for
    int pages_read = 0; // pages whose answer reached the link extraction
    int links = 0;      // links collected
    std::string failure;  // why the last search page that failed could not be read (the caller's to note)
};

// What the forum stage did, read at the end of the research.
struct ForumStageFigures {
    bool started = false;
    int forums = 0;
    int rated = 0;  // forums in the results table
    int good = 0;
    int bad_download = 0;
    int fatal = 0;
    int never_answered = 0;  // forums of the queue with no row in the results table
    int posted_lately = 0;   // rated forums whose newest post is at most kLatelyDays old
    std::map<std::string, int> reasons;  // forums without figures, by the kind of their reason
};

// How many days back a forum's newest post counts as recent, from the research's own date.
inline constexpr int kLatelyDays = 30;

SearchStageFigures search_stage_figures(const TForm1& form);
ForumStageFigures forum_stage_figures(const TForm1& form);

// The research in one line, e.g. "Search: 2 of 2 pages read, 9 links; forums: 7 rated, 5 Good,
// 2 Fatal, 2 never answered, 3 with a post in the last 30 days; no figures: 2 bot-check,
// 2 http-status". A search without links says why.
std::string research_summary(const SearchStageFigures& search, const ForumStageFigures& forums);

// The research command's exit codes.
namespace research_exit {
inline constexpr int Good = 0;         // at least one forum rated "Good"
inline constexpr int Failed = kBadArgumentsExit;  // bad arguments, a list file not read or written, an error
inline constexpr int NoLinks = 3;      // the search collected no link
inline constexpr int NoneGood = 4;     // forums were listed but none was rated "Good"
inline constexpr int Interrupted = 130;
}  // namespace research_exit

// Good, NoLinks or NoneGood. Interrupts and bad arguments or files are the caller's.
int research_exit_status(const SearchStageFigures& search, const ForumStageFigures& forums);
