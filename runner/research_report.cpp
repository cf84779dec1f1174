#include "runner/research_report.h"

#include "analysis/calendar_day.h"
#include "analysis/no_figures_reason.h"
#include "model/app/Downloaddemo_U.h"

#include <unordered_set>

namespace {

std::string counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string search_part(const SearchStageFigures& search) {
    if (!search.ran) return "Search: none (forums from a list file)";
    if (search.pages == 0) return "Search: no page asked for (dig level 0 or below), no links";
    std::string text = "Search: " + std::to_string(search.pages_read) + " of " +
                       counted(search.pages, "page", "pages") + " read, ";
    if (search.links > 0) return text + counted(search.links, "link", "links");
    if (search.pages_read == 0) {
        text += "no links: the search service could not be reached";
        if (!search.failure.empty()) text += " (" + search.failure + ")";
        return text;
    }
    return text + "no links: the search service answered without links";
}

std::string forum_part(const ForumStageFigures& forums) {
    if (!forums.started) return "forums: not started";
    if (forums.forums == 0) return "forums: none to rate";
    std::string text = "forums: " + std::to_string(forums.rated) + " rated, " + std::to_string(forums.good) + " Good, ";
    if (forums.bad_download > 0) text += std::to_string(forums.bad_download) + " Bad Download, ";
    text += std::to_string(forums.fatal) + " Fatal, " + std::to_string(forums.never_answered) + " never answered, " +
            std::to_string(forums.posted_lately) + " with a post in the last " + std::to_string(kLatelyDays) + " days";
    std::string reasons;
    for (const auto& [kind, count] : forums.reasons) reasons += (reasons.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
    return reasons.empty() ? text : text + "; no figures: " + reasons;
}

// A forum's reason counted by its kind.
void count_reason(const std::optional<NoFiguresReason>& reason, std::map<std::string, int>& reasons) {
    if (reason) ++reasons[std::string(reason_kind_id(reason->kind))];
}

}  // namespace

SearchStageFigures search_stage_figures(const TForm1& form) {
    SearchStageFigures search;
    search.ran = true;
    search.pages = form.research_rows.queue.count();
    // Every page that reached the link extraction has its row in the results table.
    search.pages_read = form.research_rows.results.count();
    search.links = form.research_rows.links.count();
    return search;
}

ForumStageFigures forum_stage_figures(const TForm1& form) {
    ForumStageFigures forums;
    forums.started = form.pipeline.research_stage == stage::Forum;
    if (!forums.started) return forums;
    const ListRows& results = form.research_rows.results;
    forums.forums = form.research_rows.queue.count();
    forums.rated = results.count();
    const CalendarDay lately_from =
        day_of_unix_time(form.pipeline.research_started_at) - std::chrono::days(kLatelyDays);
    std::unordered_set<std::string> rated;
    for (int r = 0; r < results.count(); ++r) {
        rated.insert(results.item(r).caption);
        count_reason(results.item(r).facts.reason, forums.reasons);
        const ResultRow& row = results.item(r).facts.result;
        if (row.figures.newest_post && *row.figures.newest_post >= lately_from) ++forums.posted_lately;
        forums.good += row.verdict == Verdict::Good;
        forums.bad_download += row.verdict == Verdict::BadDownload;
        forums.fatal += row.verdict == Verdict::Fatal;
    }
    for (const ListItem& row : form.research_rows.queue.items())
        if (rated.insert(row.caption).second) {
            ++forums.never_answered;
            count_reason(row.facts.reason, forums.reasons);
        }
    return forums;
}

std::string research_summary(const SearchStageFigures& search, const ForumStageFigures& forums) {
    return search_part(search) + "; " + forum_part(forums);
}

int research_exit_status(const SearchStageFigures& search, const ForumStageFigures& forums) {
    // A run whose every forum is Fatal must not read as success to the script that started it.
    if (forums.good > 0) return research_exit::Good;
    if (search.ran && search.links == 0) return research_exit::NoLinks;
    return research_exit::NoneGood;
}
